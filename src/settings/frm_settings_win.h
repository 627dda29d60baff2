#pragma once
// frmSettings, "Rilto Options": a modeless dialog made once from its template and
// hidden until the user asks for it. A tab strip switches between six pages, each a
// dialog of its own: the micropause options, the exercise break options, the exercise
// schemes, the hold options, the schedule (working hours and the daily limit) and the
// global hot keys; the preview panel covers them all while it shows. The dialog is
// the settings controller's view: it shows what the controller gives it, and hands
// its commands (the buttons, a scheme picked) to the controller.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/dialog_win.h"
#include "common/settings.h"
#include "engine/warning_sounds.h"
#include "settings/preview_panel_win.h"
#include "settings/schemes_page_win.h"
#include "settings/settings_dialog.h"
#include "settings/settings_pages_win.h"

namespace rilto {

// What the program lends the dialog.
struct FrmSettingsPorts {
    // The options in effect: the preview's video size, and the warning sounds, which
    // the "..." buttons change at once (Apply stores them).
    SettingsWriter& settings;
    WarningSounds& sounds;
    // Where a file named without a folder lies.
    std::string programFolder;
    // Runs the program's messages until the test says no.
    std::function<void(const std::function<bool()>&)> waitWhile;
};

class FrmSettings : public Dialog, public SettingsDialogView {
  public:
    static constexpr int kPages = 6;

    explicit FrmSettings(FrmSettingsPorts ports);
    ~FrmSettings() override { Destroy(); }

    // Creates the dialog hidden. False when Windows refuses.
    bool Create();
    // The controller the dialog's commands go to; until it is given, they do nothing.
    // The controller takes the dialog as its view, so it comes after the dialog.
    void Attach(SettingsDialog& controller) { controller_ = &controller; }

    // For the program's message loop: the dialog's keys (Tab, Enter, ESC, access keys)
    // and Ctrl+Tab / Ctrl+Shift+Tab to the next / previous page, wherever the focus is
    // in the dialog. True when the message was the dialog's.
    bool TranslateDialogMessage(MSG* msg) override;

    // SettingsDialogView
    void Fill(const SettingsForm& form) override;
    SettingsForm Read() const override;
    void SetSchemeBoxes(const SchemeBox& box) override;
    void SetRows(const std::vector<ExerciseRow>& rows) override { schemes_.SetRows(rows); }
    std::vector<ExerciseRow> Rows() const override { return schemes_.Rows(); }
    int SelectedRow() const override { return schemes_.SelectedRowNumber(); }
    void SelectRow(int k, bool focus) override { schemes_.SelectRow(k, focus); }
    void FocusList() override { schemes_.FocusList(); }
    std::string SchemeShown() const override { return schemes_.SchemeShown(); }
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> PickExerciseFile() override;
    std::optional<std::string> AskExerciseTitle() override;
    void AskSchemeName(const std::function<bool(const std::string&)>& accept) override;
    void ShowPreview(const std::string& file) override;
    void ClosePreview() override;
    // Centred on the primary monitor's work area, where the tray is, laid out for its
    // DPI and shown in front; behind a curtain, so that nothing is seen to move.
    void ShowDialog() override;
    void Hide() override;
    void WaitWhile(const std::function<bool()>& busy) override { ports_.waitWhile(busy); }
    void Pause(std::uint32_t ms) override { Sleep(ms); }

    // What became of each global hot key, beside its box on the page "Keys".
    void ShowHotKeyStates(const HotKeyStates& states) { keys_.ShowStates(states); }

    // A control of the dialog, of one of its pages or of the preview panel, by id.
    HWND Control(int id) const;
    // The page picTs(index).
    HWND Page(int index) const;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LaidOut(UINT dpi) override;
    void DpiChanged(UINT dpi, const RECT& suggested) override;
    bool OnInitDialog();
    bool CreatePages();
    void InitTabStrip();
    bool OnCommand(int id);
    bool OnNotify(NMHDR* header);

    void ShowCurtain(bool shown);
    // Hidden, the dialog keeps no keyboard focus: a focused edit box would keep its caret
    // blinking, and wake the program twice a second for nothing to see. The control that
    // had the focus gets it back when the dialog shows.
    void LetGoOfFocus();
    void ShowPage(int index);
    void StepPage(int delta);
    // The tabs as wide as their titles, the room left shared between them.
    void SizeTabs(UINT dpi);
    void UpdateTabTips();
    void SetDefaultButton(bool okIsDefault);
    // A pick in one scheme box: the other follows, and the controller is told.
    void SchemePicked(const SchemePick& pick);
    void ChooseWarningSound(int target);
    // What a message box belongs to: the dialog in front of the program (a prompt of
    // the scheme page), or this one.
    HWND MessageOwner() const;

    // Runs a command of the controller, once it has one.
    template <class Command>
    void Tell(Command command) {
        if (controller_ != nullptr) {
            command(*controller_);
        }
    }

    FrmSettingsPorts ports_;
    SettingsDialog* controller_ = nullptr;
    MicropausesPage micropauses_;
    ExerciseBreaksPage exerciseBreaks_;
    SchemesPage schemes_;
    HoldsPage holds_;
    SchedulePage schedule_;
    KeysPage keys_;
    PreviewPanel preview_;
    std::array<std::wstring, kPages> tipTexts_;
    HWND focusOnShow_ = nullptr;
    bool ownTabTools_ = false;
    bool made_ = false;
};

}  // namespace rilto
