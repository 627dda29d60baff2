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
    const OptionRow& row = RowOf(option);
    return ReadNumber(store, row.section, row.key, row.numberDefault, row.stored);
}

bool EscapeDisabledFromOutside(const SettingsStore& store) {
    const OptionRow& row = RowOf(Option::DisableEsc2);
    return ReadSwitch(store, row.section, row.key, row.numberDefault != 0);
}

bool EscapeLockedFromOutside(const SettingsStore& store) {
    const OptionRow& row = RowOf(Option::DisableEsc2);
    const auto value = ParseDecimal(store.GetSetting(row.section, row.key, row.numberDefault));
    return value.value_or(0) == 1;
}

void KeepEscapeLock(Settings& settings, const SettingsStore& store) {
    settings.DisableEsc = settings.DisableEsc || EscapeDisabledFromOutside(store);
}

Settings LoadSettings(const SettingsStore& store) {
    Settings s;
    for (const OptionRow& row : AllOptions()) {
        if (row.field.number != nullptr) {
            *row.field.number(s) = ReadOption(store, row.option);
        } else if (row.field.on != nullptr) {
            *row.field.on(s) = ReadSwitch(store, row.section, row.key, *row.field.on(s));
        } else if (row.field.text != nullptr) {
            *row.field.text(s) = store.GetSetting(row.section, row.key, *row.field.text(s));
        }
    }
    KeepEscapeLock(s, store);
    return s;
}

}  // namespace rilto
