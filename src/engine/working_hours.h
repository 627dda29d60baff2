#pragma once
// The working hours of "Schedule": each weekday's time ranges, read from their text, and
// what they mean at a local date and time. A range whose end is before its start runs
// past midnight and belongs to the day it starts on. A day whose text cannot be read
// counts as working all day: a typing mistake never silences the breaks.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/civil_time.h"
#include "common/settings.h"

namespace rilto {

inline constexpr int kMinutesPerDay = 24 * 60;

// Minutes from midnight: start 0..1439, end 0..1440 ("24:00"), never equal.
struct TimeRange {
    int start = 0;
    int end = 0;

    bool PastMidnight() const { return end < start; }
    bool operator==(const TimeRange&) const = default;
};

// A day's text read: its ranges (none on a day off), or why it cannot be read.
struct DayHours {
    std::vector<TimeRange> ranges;
    std::string problem;  // empty when read

    bool Readable() const { return problem.empty(); }
};

// "08:30-12:00,13:00-17:30"; blanks around the parts do not matter; empty is a day off.
DayHours ReadDayHours(std::string_view text);

// Weekdays from Monday, 0, to Sunday, 6.
int WeekdayOf(const CivilDateTime& date);
// "Monday" and "Mon".
const char* DayName(int weekday);
const char* DayShortName(int weekday);

class WorkingHours {
  public:
    // Always working: breaks at any hour.
    WorkingHours() = default;
    // From the options in effect: always working unless "Schedule" is on.
    explicit WorkingHours(const Settings& settings);

    bool On() const { return on_; }
    const DayHours& Day(int weekday) const { return days_[static_cast<std::size_t>(weekday)]; }
    // Breaks come at this local date and time.
    bool Working(const CivilDateTime& local) const;
    // The days that cannot be read, and why: "Tuesday: ..." each.
    std::vector<std::string> Problems() const;

  private:
    bool on_ = false;
    std::array<DayHours, kDaysInWeek> days_;
};

// What the boxes mean, in words: "Breaks from Monday to Friday, 09:00 to 17:00". Days
// that cannot be read are named instead.
std::string DescribeHours(const WorkingHours& hours);

}  // namespace rilto
