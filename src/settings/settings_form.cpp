#include "settings/settings_form.h"

#include "common/settings_loader.h"

namespace rilto {

bool SettingsForm::On(Option option) const {
    const std::string& value = (*this)[option];
    return !value.empty() && value != "0";
}

const char* SettingsForm::OnText(Option option) {
    return SpecOf(option).box == OptionBox::StartPoint ? "-1" : "1";
}

SettingsForm LoadForm(const Settings& settings, const SettingsStore& store) {
    SettingsForm form;
    for (const OptionSpec& spec : AllOptions()) {
        if (spec.box == OptionBox::StartPoint) {
            // Any point but the beginning shows as "from a randomly selected point".
            form.SetOn(spec.option, StoredText(spec, settings) != "0");
        } else if (spec.box != OptionBox::None) {
            form[spec.option] = StoredText(spec, settings);
        }
    }
    form.escapeLocked = EscapeLockedFromOutside(store);
    return form;
}

}  // namespace rilto
