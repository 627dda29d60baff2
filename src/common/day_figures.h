#pragma once
// One local calendar day's figures of rest and work, as the "Statistics" section keeps
// them: a value named "YYYY-MM-DD" whose text is "key=value" pairs separated by ";".

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rilto {

inline constexpr char kStatisticsSection[] = "Statistics";

// What is counted each day, in the order the value and the CSV list them.
enum class DayCount {
    micropauses,    // shown and taken to the end
    skipped,        // ended with ESC or a double click
    natural,        // rests the user took without being asked
    exercises,      // exercise breaks completed
    postponed,      // "Later" or the reminder's close box
    endedEarly,     // exercise breaks ended before their end
    activeMinutes,  // minutes with any keyboard or mouse input
    Count
};
inline constexpr std::size_t kDayCounts = static_cast<std::size_t>(DayCount::Count);
// More than a day can hold of any count (minutes in a day, a micropause every second):
// a count stops here, and a larger stored number was written by something else.
inline constexpr std::int32_t kMostInADay = 86'400;
inline constexpr std::array<const char*, kDayCounts> kDayCountKeys = {
    "micropauses", "skipped", "natural", "exercises", "postponed", "endedEarly", "activeMinutes"};

struct DayFigures {
    std::string date;  // "YYYY-MM-DD"
    std::array<std::int32_t, kDayCounts> counts{};
    // Pairs of keys this version does not know, kept as they were for a later version.
    std::vector<std::pair<std::string, std::string>> unknown;

    std::int32_t operator[](DayCount c) const { return counts[static_cast<std::size_t>(c)]; }
    std::int32_t& operator[](DayCount c) { return counts[static_cast<std::size_t>(c)]; }
};

// The value's text read back. A count that is not a number, is negative or beyond what
// a day can hold reads as 0; a pair without "=" is dropped.
DayFigures ParseDayFigures(std::string date, std::string_view text);
// The known counts in their order, then the unknown pairs.
std::string FormatDayFigures(const DayFigures& day);

// "YYYY-MM-DD" for a date, and back (nothing for a name that is not a real date).
std::string DateName(int year, int month, int day);
std::optional<std::int64_t> DayNumberOf(std::string_view date);  // days since 1970-01-01
std::string DateOfDayNumber(std::int64_t days);

}  // namespace rilto
