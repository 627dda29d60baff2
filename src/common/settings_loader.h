#pragma once
// Reading the options from the store, with their defaults, and keeping every number
// within what the program can work with.

#include <cstdint>
#include <string_view>

#include "common/options.h"
#include "common/settings.h"
#include "common/settings_store.h"

namespace rilto {

// A stored number: text that is not a decimal integer reads as `def`; a number outside
// `range` is clamped to it.
std::int32_t ReadNumber(const SettingsStore& store, std::string_view section, std::string_view key,
                        std::int32_t def, NumberRange range = kAnyNumber);
// A switch: any number but 0 is on.
bool ReadSwitch(const SettingsStore& store, std::string_view section, std::string_view key,
                bool def);

// One numeric option as stored now, with its default and range.
std::int32_t ReadOption(const SettingsStore& store, Option option);

// "DisableEsc2", set from outside the program: any number but 0 disables early exit...
bool EscapeDisabledFromOutside(const SettingsStore& store);
// ...and exactly 1 also greys the dialog's box, so that the user cannot untick it.
// Text that is no whole number, a fraction like "1.4" included, counts as 0.
bool EscapeLockedFromOutside(const SettingsStore& store);

// Escaping stays disabled, whatever `settings` says, while "DisableEsc2" says so.
void KeepEscapeLock(Settings& settings, const SettingsStore& store);

// Every option of "Micropause" and "Exercise" that start-up loads.
Settings LoadSettings(const SettingsStore& store);

}  // namespace rilto
