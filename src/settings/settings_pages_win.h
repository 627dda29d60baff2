#pragma once
// The pages of the settings dialog "Rilto Options", each a dialog of its own inside the
// tab strip's display area: what every page shares, and the option pages,
// "Micropauses" (picTs(0)), "Exercise Breaks" (picTs(1)), "Holds" (picTs(3)) and
// "Schedule" (picTs(4)), whose controls show one option each. Each option page lists its controls
// with their options once; what a control shows and its spin buttons' range come from the options
// table.

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "common/dialog_win.h"
#include "common/hot_key_report.h"
#include "common/options.h"
#include "exercise/scheme_rows.h"
#include "settings/settings_form.h"

namespace rilto {

// A scheme picked in a scheme box: its place in the list and its name.
struct SchemePick {
    int index;
    std::string name;
};

// Fills a scheme box with the names, the given one selected.
void FillSchemeBox(HWND combo, const SchemeBox& box);
// The scheme a scheme box has selected; nothing when none is.
std::optional<SchemePick> PickedScheme(HWND combo);

// A page of the settings dialog, made from a DS_CONTROL template.
class SettingsPage : public Dialog {
  public:
    // Made inside `host` with the child id `childId`, hidden; drawn on the tab strip's
    // page background where there is a theme.
    bool Create(HWND host, int childId);

  protected:
    using Dialog::Dialog;

    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Check(int id, bool on) {
        SendMessageW(Item(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // Makes the edit box a number box with spin buttons over `range`.
    void MakeNumberBoxWithSpin(int box, int spin, NumberRange range);
};

// The control that shows an option: a number box with its spin buttons, a check box,
// the video size list, or the "randomly selected point" button with the "beginning"
// one as its partner.
struct OptionControl {
    int id;
    Option option;
    int partner = 0;
};

struct OptionPageEvents {
    // One of the "..." buttons beside the warnings: the SoundTarget it chooses for.
    std::function<void(int target)> warningSound;
    // A scheme picked in the page's scheme box ("Exercise Breaks").
    std::function<void(const SchemePick&)> schemePicked;
};

class OptionPage : public SettingsPage {
  public:
    void SetEvents(OptionPageEvents events) { events_ = std::move(events); }
    // The page's controls from the form's texts, and back.
    virtual void Fill(const SettingsForm& form);
    virtual void Read(SettingsForm& form) const;

  protected:
    OptionPage(int templateId, std::span<const OptionControl> controls)
        : SettingsPage(templateId), controls_(controls) {}

    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void OnInitDialog();
    void RaiseWarningSound(int target) const;

    OptionPageEvents events_;

  private:
    std::span<const OptionControl> controls_;
};

// picTs(0), "Micropauses".
class MicropausesPage : public OptionPage {
  public:
    MicropausesPage();
    void Fill(const SettingsForm& form) override;
    void Read(SettingsForm& form) const override;
};

// picTs(1), "Exercise Breaks".
class ExerciseBreaksPage : public OptionPage {
  public:
    ExerciseBreaksPage();
    void SetSchemeBox(const SchemeBox& box);
    // The scheme box follows a pick in the other scheme box, without a word.
    void SelectScheme(int index);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnInitDialog() override;
};

// picTs(3), "Holds": when breaks wait for a presentation, a game or a program in front.
class HoldsPage : public OptionPage {
  public:
    HoldsPage();
};

// picTs(4), "Schedule": breaks only in the working hours, one box of ranges per weekday,
// a line that says what the boxes mean as they are typed, and the daily limit.
class SchedulePage : public OptionPage {
  public:
    SchedulePage();
    void Fill(const SettingsForm& form) override;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnInitDialog() override;
    void Describe();
};

// picTs(5), "Keys": a box per global hot key, and beside each what keeps its key out of
// use: as the keys were last registered, and text that cannot be read as it is typed.
class KeysPage : public OptionPage {
  public:
    KeysPage();
    void Fill(const SettingsForm& form) override;
    void ShowStates(const HotKeyStates& states);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnInitDialog() override;
    void Describe(std::size_t command);

    HotKeyStates states_;
};

}  // namespace rilto
