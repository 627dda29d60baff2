#pragma once
// frmSettings as the program drives it: opening it (LoadMeUp), Apply, OK, Cancel and a
// scheme picked on its pages. The window itself is a view; what happens, and in which
// order, is decided here.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/settings_store.h"
#include "engine/activity_hook.h"
#include "engine/progress_bar.h"
#include "engine/scheduler.h"
#include "exercise/exercise_table.h"
#include "exercise/scheme_rows.h"
#include "settings/settings_form.h"

namespace rilto {

class SettingsDialogView {
  public:
    virtual ~SettingsDialogView() = default;
    virtual void Fill(const SettingsForm& form) = 0;
    virtual SettingsForm Read() const = 0;
    // Both scheme boxes; selecting here switches nothing.
    virtual void SetSchemeBoxes(const SchemeBox& box) = 0;
    virtual void SetRows(const std::vector<ExerciseRow>& rows) = 0;
    virtual std::vector<ExerciseRow> Rows() const = 0;
    virtual bool HasRows() const = 0;
    // Laid out behind a curtain and shown, not modal.
    virtual void ShowDialog() = 0;
    virtual void Hide() = 0;
    // Handles the program's messages, with the busy pointer, until `busy` says no.
    virtual void WaitWhile(const std::function<bool()>& busy) = 0;
    // Blocks the program.
    virtual void Pause(std::uint32_t ms) = 0;
};

struct SettingsDialogPorts {
    Settings& settings;
    SettingsStore& store;
    Scheduler& scheduler;
    CProgressBar& progressBar;
    ActivityHook& hook;
    ExerciseTable& exercises;
    SettingsDialogView& view;
    // The micropause screen's message.
    std::function<void(const std::string&)> showWarning;
};

// OK applies, waits this long, then hides the dialog.
inline constexpr std::uint32_t kOkPauseMs = 500;
// Opening during a micropause waits for its end, unless it has at most this many steps
// of its bar to go.
inline constexpr std::int32_t kMicropauseStepsLeftToOpen = 3;

class SettingsDialog {
  public:
    explicit SettingsDialog(const SettingsDialogPorts& ports);

    // Refreshes the dialog from the options in effect and shows it. A micropause on
    // screen is ended first (its bar jumps to the last step) and the dialog comes when
    // it is over. Asked again while it waits, nothing more happens.
    void LoadMeUp();
    void Apply();
    void Ok();
    void Cancel();
    // A scheme picked in either scheme box: the edits of the scheme shown so far are
    // saved, and the picked one is in use at once.
    void SchemeChosen(const std::string& name);

  private:
    void SaveScheme();

    SettingsDialogPorts p_;
    bool loading_ = false;
};

}  // namespace rilto
