#include "settings/settings_form.h"

#include "common/settings_loader.h"

namespace rilto {

bool SettingsForm::On(Option option) const {
    const std::string& value = (*this)[option];
    return !value.empty() && value != "0";
}

const char* SettingsForm::OnText(Option option) {
    return RowOf(option).box == OptionBox::StartPoint ? "-1" : "1";
}

SettingsForm LoadForm(const Settings& settings, const SettingsStore& store) {
    SettingsForm form;
    for (const OptionRow& row : AllOptions()) {
        if (row.box == OptionBox::StartPoint) {
            // Any point but the beginning shows as "from a randomly selected point".
            form.SetOn(row.option, StoredText(row, settings) != "0");
        } else if (row.box != OptionBox::None) {
            form[row.option] = StoredText(row, settings);
        }
    }
    form.escapeLocked = EscapeLockedFromOutside(store);
    return form;
}

}  // namespace rilto
