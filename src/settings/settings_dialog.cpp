#include "settings/settings_dialog.h"

#include "common/product.h"
#include "exercise/scheme_editor.h"
#include "exercise/scheme_store.h"
#include "settings/schedule_boxes.h"
#include "settings/settings_apply.h"
#include "settings/settings_texts.h"

namespace rilto {

// A command of the scheme page runs to its end on the scheme it began with, whatever a
// prompt of it lets happen meanwhile; a change of the scheme in use is followed after.
class SettingsDialog::PageCommand {
  public:
    explicit PageCommand(SettingsDialog& dialog) : dialog_(dialog) { ++dialog_.commands_; }
    ~PageCommand() {
        if (--dialog_.commands_ == 0 && dialog_.followPending_) {
            dialog_.followPending_ = false;
            dialog_.FollowSchemeInUse();
        }
    }
    PageCommand(const PageCommand&) = delete;
    PageCommand& operator=(const PageCommand&) = delete;

  private:
    SettingsDialog& dialog_;
};

SettingsDialog::SettingsDialog(const SettingsDialogPorts& ports) : p_(ports) {}

void SettingsDialog::LoadMeUp() {
    if (loading_) {
        return;
    }
    if (commands_ > 0) {
        // Asked from the tray while a prompt of the page is open: the dialog comes forward
        // as it is, and the page is refreshed when its command is done.
        followPending_ = true;
        p_.view.ShowDialog();
        return;
    }
    loading_ = true;
    if (p_.scheduler.HurryMicropause(kMicropauseStepsLeftToOpen)) {
        p_.view.WaitWhile([this] { return p_.scheduler.State().MicropauseRunning; });
    }
    p_.view.Fill(LoadForm(p_.settings.Current(), p_.store));
    if (pageFilled_ && SameSchemeName(pageScheme_, p_.settings.Current().Scheme)) {
        // Rows edited but not applied stay on the page until Apply saves them.
        p_.view.SetSchemeBoxes(LoadSchemesInto(p_.store, pageScheme_));
    } else {
        FollowSchemeInUse();
    }
    p_.view.ShowDialog();
    open_ = true;
    loading_ = false;
}

void SettingsDialog::Apply() {
    ApplyBoxes();
}

bool SettingsDialog::ApplyBoxes() {
    const PageCommand command(*this);
    FollowSchemeInUse();
    SettingsForm form = p_.view.Read();
    const std::vector<std::string> refused =
        ApplySettings(form, ApplyPorts{p_.settings, p_.store, p_.scheduler, p_.hook, p_.showWarning,
                                       [this] { SavePage(); }});
    // The boxes show what Apply corrected.
    p_.view.Fill(form);
    if (!refused.empty()) {
        p_.view.ShowMessage(HoursRefusedMessage(refused));
        return false;
    }
    if (p_.applied) {
        p_.applied();
    }
    return true;
}

void SettingsDialog::Ok() {
    if (!ApplyBoxes()) {
        return;
    }
    p_.view.Pause(kOkPauseMs);
    Cancel();
}

void SettingsDialog::Cancel() {
    // A preview does not play on in a hidden dialog.
    p_.view.ClosePreview();
    p_.view.Hide();
    open_ = false;
}

void SettingsDialog::SchemeChosen(const std::string& name) {
    const PageCommand command(*this);
    SavePage();
    p_.breaks.UseScheme(name);
    ShowScheme(name);
}

void SettingsDialog::SchemeInUseChanged() {
    if (!open_) {
        return;  // the next opening shows it
    }
    if (commands_ > 0) {
        followPending_ = true;
        return;
    }
    FollowSchemeInUse();
}

void SettingsDialog::AddExercise() {
    const PageCommand command(*this);
    LtoExercises(p_.view.Rows(), pageTable_);
    const std::int32_t before = pageTable_.NumExercises;
    const std::optional<std::string> file = p_.view.PickExerciseFile();
    if (!file) {
        return;
    }
    if (const std::optional<std::string> title = p_.view.AskExerciseTitle()) {
        rilto::AddExercise(pageTable_, p_.store, pageScheme_,
                           StoredMediaName(*file, p_.programFolder), *title);
        p_.breaks.SchemeSaved(pageScheme_);
    }
    p_.view.SetRows(LoadL(pageTable_));
    if (pageTable_.NumExercises > before) {
        p_.view.SelectRow(pageTable_.NumExercises, true);
    }
}

void SettingsDialog::RemoveExercise() {
    const PageCommand command(*this);
    std::vector<ExerciseRow> rows = p_.view.Rows();
    if (rows.size() == 1) {
        p_.view.ShowMessage(kCannotRemoveLast);
        return;
    }
    const int k = p_.view.SelectedRow();
    if (rows.empty() || k < 1) {
        return;
    }
    if (!p_.view.AskYesNo(kRemoveQuestion)) {
        p_.view.FocusList();
        return;
    }
    const int selected = rilto::RemoveExercise(rows, pageTable_, k);
    p_.view.SetRows(rows);
    p_.view.SelectRow(selected, true);
}

void SettingsDialog::MoveExercise(bool up) {
    const PageCommand command(*this);
    std::vector<ExerciseRow> rows = p_.view.Rows();
    const int k = p_.view.SelectedRow();
    const int to = rilto::MoveExercise(rows, pageTable_, k, up);
    if (to != k) {
        p_.view.SetRows(rows);
        p_.view.SelectRow(to, false);
    }
}

void SettingsDialog::Preview() {
    const int k = p_.view.SelectedRow();
    if (k >= 1 && k <= pageTable_.NumExercises) {
        p_.view.ShowPreview(pageTable_.At(k).File);
    }
}

void SettingsDialog::PreviewDone() {
    p_.view.ClosePreview();
}

void SettingsDialog::SaveSchemeAs() {
    const PageCommand command(*this);
    std::optional<std::string> saved;
    p_.view.AskSchemeName([&](const std::string& typed) {
        const std::string name = SchemeNameFrom(typed);
        if (name.empty()) {
            return true;  // nothing to save
        }
        const auto replace = [&] {
            return p_.view.AskYesNo(std::string(kReplaceBefore) + name + kReplaceAfter);
        };
        LtoExercises(p_.view.Rows(), pageTable_);
        std::string savedAs;
        switch (rilto::SaveSchemeAs(p_.store, pageTable_, name, replace, savedAs)) {
            case SaveAsResult::Saved:
                saved = savedAs;
                return true;
            case SaveAsResult::Refused:
                p_.view.ShowMessage(kSchemeNameRefused);
                return false;
            case SaveAsResult::Kept:
                break;
        }
        return false;
    });
    if (saved) {
        // The scheme just saved is the one in use, under the name the list gives it.
        p_.breaks.UseScheme(*saved);
        ShowScheme(*saved);
    } else {
        p_.view.SetSchemeBoxes(LoadSchemesInto(p_.store, pageScheme_));
    }
}

void SettingsDialog::DeleteScheme() {
    const PageCommand command(*this);
    const std::string name = p_.view.SchemeShown();
    if (name.empty()) {
        return;  // an empty list has nothing to delete
    }
    const auto confirm = [this] { return p_.view.AskYesNo(kDeleteQuestion); };
    switch (rilto::DeleteScheme(p_.store, name, confirm)) {
        case DeleteResult::BuiltIn:
            p_.view.ShowMessage(kCannotDeleteBuiltIn);
            break;
        case DeleteResult::Kept:
            break;
        case DeleteResult::Deleted: {
            // The first listed scheme is the one in use now, and stored as it.
            const SchemeBox box = LoadSchemesInto(p_.store, "");
            const std::string first = box.names.empty() ? std::string() : box.names.front();
            p_.breaks.UseScheme(first);
            p_.store.SaveSetting(kExercise, RowOf(Option::Scheme).key, first);
            ShowScheme(first);
            break;
        }
    }
}

void SettingsDialog::ShowScheme(const std::string& name) {
    pageScheme_ = name;
    LoadScheme(p_.store, name, pageTable_);
    p_.view.SetSchemeBoxes(LoadSchemesInto(p_.store, name));
    p_.view.SetRows(LoadL(pageTable_));
    pageFilled_ = true;
}

void SettingsDialog::SavePage() {
    if (!pageFilled_) {
        return;
    }
    LtoExercises(p_.view.Rows(), pageTable_);
    SaveScheme(p_.store, pageScheme_, pageTable_.Exercises, pageTable_.NumExercises);
    p_.breaks.SchemeSaved(pageScheme_);
}

bool SettingsDialog::PageEdited() const {
    return pageFilled_ && p_.view.Rows() != LoadL(pageTable_);
}

void SettingsDialog::FollowSchemeInUse() {
    if (pageFilled_ && SameSchemeName(pageScheme_, p_.settings.Current().Scheme)) {
        return;
    }
    if (PageEdited()) {
        SavePage();
    }
    ShowScheme(p_.settings.Current().Scheme);
}

}  // namespace rilto
