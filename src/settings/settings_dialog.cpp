#include "settings/settings_dialog.h"

#include "exercise/scheme_store.h"
#include "settings/settings_apply.h"

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
    p_.view.Hide();
}

void SettingsDialog::Cancel() {
    p_.view.Hide();
}

void SettingsDialog::SchemeChosen(const std::string& name) {
    p_.view.SetRows(SwitchScheme(p_.view.Rows(), p_.exercises, p_.settings.Scheme, p_.store, name));
}

void SettingsDialog::SaveScheme() {
    LtoExercises(p_.view.Rows(), p_.exercises);
    rilto::SaveScheme(p_.store, p_.settings.Scheme, p_.exercises.Exercises,
                      p_.exercises.NumExercises);
}

}  // namespace rilto
