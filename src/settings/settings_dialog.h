#pragma once
// frmSettings as the program drives it: opening it (LoadMeUp), Apply, OK, Cancel and a
// scheme picked on its pages. The window itself is a view; what happens, and in which
// order, is decided here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/settings_store.h"
#include "engine/activity_hook.h"
#include "engine/scheduler.h"
#include "exercise/exercise_break.h"
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
    // The exercise list's selected row, from 1; 0 when none is.
    virtual int SelectedRow() const = 0;
    // Row k (from 1) selected, scrolled into view and shown in the detail frame; the
    // list takes the focus when asked to.
    virtual void SelectRow(int k, bool focus) = 0;
    virtual void FocusList() = 0;
    // The scheme the first scheme box shows.
    virtual std::string SchemeShown() const = 0;

    // Over the dialog, with the program's title as caption: a message with OK, and a
    // question with Yes and No.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    // The file dialog "Add an Exercise": the full name of a file that exists, or nothing.
    virtual std::optional<std::string> PickExerciseFile() = 0;
    // frmAdd: the title typed, perhaps empty; nothing when cancelled.
    virtual std::optional<std::string> AskExerciseTitle() = 0;
    // frmSaveAs: each OK hands `accept` the text typed, and the dialog closes when it
    // agrees. Cancel closes it.
    virtual void AskSchemeName(const std::function<bool(const std::string&)>& accept) = 0;
    // The preview panel over the pages, showing the file (a video plays); and closed.
    virtual void ShowPreview(const std::string& file) = 0;
    virtual void ClosePreview() = 0;

    // Laid out behind a curtain and shown, not modal.
    virtual void ShowDialog() = 0;
    virtual void Hide() = 0;
    // Handles the program's messages, with the busy pointer, until `busy` says no.
    virtual void WaitWhile(const std::function<bool()>& busy) = 0;
    // Blocks the program.
    virtual void Pause(std::uint32_t ms) = 0;
};

struct SettingsDialogPorts {
    SettingsWriter& settings;
    SettingsStore& store;
    Scheduler& scheduler;
    ActivityHook& hook;
    // The scheme in use, which breaks show.
    ExerciseBreakFlow& breaks;
    SettingsDialogView& view;
    // The micropause screen's message.
    std::function<void(const std::string&)> showWarning;
    // Added exercises from here are stored by their bare names.
    std::string programFolder;
    // Apply is done: what follows the options without being part of the dialog looks
    // at them again.
    std::function<void()> applied;
};

// OK applies, waits this long, then hides the dialog.
inline constexpr std::uint32_t kOkPauseMs = 500;
// Opening during a micropause waits for its end, unless it has at most this many steps
// of its bar to go.
inline constexpr std::int32_t kMicropauseStepsLeftToOpen = 3;

// The scheme page shows one named scheme: its rows are edits of that scheme's exercises,
// which the page holds apart from the scheme breaks use, and saving them writes only that
// scheme. When the scheme in use changes elsewhere (the tray), the page follows it; the
// edits of the scheme it showed are kept in that scheme first.
class SettingsDialog {
  public:
    explicit SettingsDialog(const SettingsDialogPorts& ports);

    // Refreshes the dialog from the options in effect and shows it. A micropause on
    // screen is ended first (its bar jumps to the last step) and the dialog comes when
    // it is over. Asked again while it waits, nothing more happens.
    void LoadMeUp();
    // Hours it cannot read are refused, and the user is told which and why; OK then
    // leaves the dialog open for them to be mended.
    void Apply();
    void Ok();
    void Cancel();
    // A scheme picked in either scheme box: the edits of the scheme shown so far are
    // saved, and the picked one is in use at once.
    void SchemeChosen(const std::string& name);
    // Another part of the program changed the scheme in use.
    void SchemeInUseChanged();

    // The scheme page's commands.
    void AddExercise();
    void RemoveExercise();
    void MoveExercise(bool up);
    void Preview();
    void PreviewDone();
    void SaveSchemeAs();
    void DeleteScheme();

  private:
    class PageCommand;

    // Apply; false when it refused a box.
    bool ApplyBoxes();
    // The named scheme loaded onto the page, both boxes showing it.
    void ShowScheme(const std::string& name);
    // The rows saved as the page's scheme.
    void SavePage();
    bool PageEdited() const;
    // The page shows the scheme in use.
    void FollowSchemeInUse();

    SettingsDialogPorts p_;
    bool loading_ = false;
    bool open_ = false;
    // The page's scheme: its name and its exercises as loaded or last saved.
    bool pageFilled_ = false;
    std::string pageScheme_;
    ExerciseTable pageTable_;
    // A page command is running (a prompt of it may be open); the scheme in use changed
    // meanwhile.
    int commands_ = 0;
    bool followPending_ = false;
};

}  // namespace rilto
