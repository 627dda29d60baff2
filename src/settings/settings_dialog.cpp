#include "settings/settings_dialog.h"

#include "exercise/scheme_editor.h"
#include "exercise/scheme_store.h"
#include "settings/settings_apply.h"
#include "settings/settings_texts.h"

namespace rilto {

SettingsDialog::SettingsDialog(const SettingsDialogPorts& ports) : p_(ports) {}

void SettingsDialog::LoadMeUp() {
    if (loading_) {
        return;
    }
    loading_ = true;
    if (p_.scheduler.State().MicropauseRunning &&
        p_.progressBar.Value() < p_.progressBar.Max() - kMicropauseStepsLeftToOpen) {
        p_.progressBar.SetValue(p_.progressBar.Max() - 1);
        p_.view.WaitWhile([this] { return p_.scheduler.State().MicropauseRunning; });
    }
    p_.view.Fill(LoadForm(p_.settings, p_.store));
    p_.view.SetSchemeBoxes(LoadSchemesInto(p_.store, p_.settings.Scheme));
    // Rows edited but not applied stay on the page until Apply saves them.
    if (!p_.view.HasRows()) {
        p_.view.SetRows(LoadL(p_.exercises));
    }
    p_.view.ShowDialog();
    loading_ = false;
}

void SettingsDialog::Apply() {
    SettingsForm form = p_.view.Read();
    ApplySettings(form, ApplyPorts{p_.settings, p_.store, p_.scheduler, p_.hook, p_.showWarning,
                                   [this] { SaveScheme(); }});
    // The boxes show what Apply corrected.
    p_.view.Fill(form);
}

void SettingsDialog::Ok() {
    Apply();
    p_.view.Pause(kOkPauseMs);
    Cancel();
}

void SettingsDialog::Cancel() {
    // A preview does not play on in a hidden dialog.
    p_.view.ClosePreview();
    p_.view.Hide();
}

void SettingsDialog::SchemeChosen(const std::string& name) {
    p_.view.SetRows(SwitchScheme(p_.view.Rows(), p_.exercises, p_.settings.Scheme, p_.store, name));
}

void SettingsDialog::AddExercise() {
    LtoExercises(p_.view.Rows(), p_.exercises);
    const std::int32_t before = p_.exercises.NumExercises;
    const std::optional<std::string> file = p_.view.PickExerciseFile();
    if (!file) {
        return;
    }
    if (const std::optional<std::string> title = p_.view.AskExerciseTitle()) {
        rilto::AddExercise(p_.exercises, p_.store, p_.settings.Scheme,
                           StoredMediaName(*file, p_.programFolder), *title);
    }
    p_.view.SetRows(LoadL(p_.exercises));
    if (p_.exercises.NumExercises > before) {
        p_.view.SelectRow(p_.exercises.NumExercises, true);
    }
}

void SettingsDialog::RemoveExercise() {
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
    const int selected = rilto::RemoveExercise(rows, p_.exercises, k);
    p_.view.SetRows(rows);
    p_.view.SelectRow(selected, true);
}

void SettingsDialog::MoveExercise(bool up) {
    std::vector<ExerciseRow> rows = p_.view.Rows();
    const int k = p_.view.SelectedRow();
    const int to = rilto::MoveExercise(rows, p_.exercises, k, up);
    if (to != k) {
        p_.view.SetRows(rows);
        p_.view.SelectRow(to, false);
    }
}

void SettingsDialog::Preview() {
    const int k = p_.view.SelectedRow();
    if (k >= 1 && k <= p_.exercises.NumExercises) {
        p_.view.ShowPreview(p_.exercises.At(k).File);
    }
}

void SettingsDialog::PreviewDone() {
    p_.view.ClosePreview();
}

void SettingsDialog::SaveSchemeAs() {
    p_.view.AskSchemeName([this](const std::string& typed) {
        const std::string name = SchemeNameFrom(typed);
        if (name.empty()) {
            return true;  // nothing to save
        }
        const auto replace = [&] {
            return p_.view.AskYesNo(std::string(kReplaceBefore) + name + kReplaceAfter);
        };
        switch (rilto::SaveSchemeAs(p_.store, p_.settings.Scheme, p_.exercises, name, replace)) {
            case SaveAsResult::Saved:
                return true;
            case SaveAsResult::Refused:
                p_.view.ShowMessage(kSchemeNameRefused);
                return false;
            case SaveAsResult::Kept:
                break;
        }
        return false;
    });
    LoadSchemes();
}

void SettingsDialog::DeleteScheme() {
    const std::string name = p_.view.SchemeShown();
    if (name.empty()) {
        return;  // an empty list has nothing to delete
    }
    const auto confirm = [this] { return p_.view.AskYesNo(kDeleteQuestion); };
    switch (rilto::DeleteScheme(p_.store, p_.settings.Scheme, p_.exercises, name, confirm)) {
        case DeleteResult::BuiltIn:
            p_.view.ShowMessage(kCannotDeleteBuiltIn);
            break;
        case DeleteResult::Kept:
            break;
        case DeleteResult::Deleted:
            p_.view.SetSchemeBoxes(LoadSchemesInto(p_.store, p_.settings.Scheme));
            p_.view.SetRows(LoadL(p_.exercises));
            break;
    }
}

void SettingsDialog::LoadSchemes() {
    const SchemeBox box = LoadSchemesInto(p_.store, p_.settings.Scheme);
    p_.view.SetSchemeBoxes(box);
    if (!box.names.empty()) {
        SchemeChosen(box.names[static_cast<std::size_t>(box.selected)]);
    }
}

void SettingsDialog::SaveScheme() {
    LtoExercises(p_.view.Rows(), p_.exercises);
    rilto::SaveScheme(p_.store, p_.settings.Scheme, p_.exercises.Exercises,
                      p_.exercises.NumExercises);
}

}  // namespace rilto
