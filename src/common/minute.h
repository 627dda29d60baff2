#pragma once
// The program's minute: what every count in minutes counts (the micropause and exercise
// countdowns, time away, the longest hold, the reminder's "Later"). A real minute, unless
// the environment variable RILTO_MINUTE_MS shortens it, so that tests see in seconds what
// takes minutes. Seconds stay seconds: a micropause's, an exercise's, the hold's looks.

#include <cstdint>

namespace rilto {

inline constexpr std::uint32_t kRealMinuteMs = 60'000;
inline constexpr std::uint32_t kShortestMinuteMs = 1'000;
inline constexpr char kMinuteVariable[] = "RILTO_MINUTE_MS";

// The minute that the variable's text gives: whole milliseconds from 1000 to 60000, with
// blanks around them allowed. Absent (null), empty, not a number or out of range is a
// real minute.
std::uint32_t MinuteFromText(const char* text);

}  // namespace rilto
