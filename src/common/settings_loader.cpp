#include "common/settings_loader.h"

#include <algorithm>

#include "common/text.h"

namespace rilto {

std::int32_t ReadNumber(const SettingsStore& store, std::string_view section, std::string_view key,
                        std::int32_t def, NumberRange range) {
    const auto parsed = ParseDecimal(store.GetSetting(section, key, def));
    const std::int64_t value = parsed ? *parsed : def;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, range.min, range.max));
}

bool ReadSwitch(const SettingsStore& store, std::string_view section, std::string_view key,
                bool def) {
    return ReadNumber(store, section, key, def ? 1 : 0) != 0;
}

std::int32_t ReadOption(const SettingsStore& store, Option option) {
    const OptionSpec& spec = SpecOf(option);
    return ReadNumber(store, spec.section, spec.key, spec.numberDefault, spec.stored);
}

bool EscapeDisabledFromOutside(const SettingsStore& store) {
    const OptionSpec& spec = SpecOf(Option::DisableEsc2);
    return ReadSwitch(store, spec.section, spec.key, spec.numberDefault != 0);
}

bool EscapeLockedFromOutside(const SettingsStore& store) {
    const OptionSpec& spec = SpecOf(Option::DisableEsc2);
    const auto value = ParseDecimal(store.GetSetting(spec.section, spec.key, spec.numberDefault));
    return value.value_or(0) == 1;
}

Settings LoadSettings(const SettingsStore& store) {
    Settings s;
    for (const OptionSpec& spec : AllOptions()) {
        if (spec.field.number != nullptr) {
            *spec.field.number(s) = ReadOption(store, spec.option);
        } else if (spec.field.on != nullptr) {
            *spec.field.on(s) = ReadSwitch(store, spec.section, spec.key, *spec.field.on(s));
        } else if (spec.field.text != nullptr) {
            *spec.field.text(s) = store.GetSetting(spec.section, spec.key, *spec.field.text(s));
        }
    }
    s.DisableEsc = s.DisableEsc || EscapeDisabledFromOutside(store);
    return s;
}

}  // namespace rilto
