#pragma once
// Reading the options from the store, with their defaults, and keeping every
// number within what the program can work with.

#include <cstdint>
#include <string_view>

#include "common/settings.h"
#include "common/settings_store.h"

namespace rilto {

// The ranges a stored number is clamped to. A value inside its range is used as
// it stands; outside it, the nearest end is used.
struct NumberRange {
    std::int32_t min;
    std::int32_t max;
};
// Whole minutes far beyond any real use, small enough that countdown arithmetic
// (interval changes, decrements, the label's "minus one") can never overflow.
inline constexpr std::int32_t kMaxMinutes = 1'000'000;
// Seconds whose length in milliseconds still fits a 32-bit timer interval.
inline constexpr std::int32_t kMaxSeconds = 2'147'483;
inline constexpr NumberRange kInterruptForRange{1, kMaxSeconds};
inline constexpr NumberRange kInterruptEveryRange{1, kMaxMinutes};
inline constexpr NumberRange kEveryMRange{0, kMaxMinutes};
inline constexpr NumberRange kViewAmRange{0, 4};
inline constexpr NumberRange kNumAtaTimeRange{0, 9999};
inline constexpr NumberRange kAnyNumber{INT32_MIN, INT32_MAX};

// A stored number: text that is not a decimal integer reads as `def`; a number
// outside `range` is clamped to it.
std::int32_t ReadNumber(const SettingsStore& store, std::string_view section, std::string_view key,
                        std::int32_t def, NumberRange range = kAnyNumber);
// A switch: any number but 0 is on.
bool ReadSwitch(const SettingsStore& store, std::string_view section, std::string_view key,
                bool def);

// Every option of "Micropause" and "Exercise" that start-up loads.
Settings LoadSettings(const SettingsStore& store);

}  // namespace rilto
