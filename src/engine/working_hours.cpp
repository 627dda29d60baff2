#include "engine/working_hours.h"

#include <cctype>

#include "common/text.h"

namespace rilto {

namespace {

constexpr std::array<const char*, kDaysInWeek> kDayNames{
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
constexpr std::array<const char*, kDaysInWeek> kDayShortNames{"Mon", "Tue", "Wed", "Thu",
                                                              "Fri", "Sat", "Sun"};
// 1970-01-01 was a Thursday.
constexpr std::int64_t kEpochWeekday = 3;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// "h:mm" or "hh:mm", 00:00 to 23:59, or 24:00 where an end may be.
std::optional<int> ReadTime(std::string_view text, bool end) {
    text = Trimmed(text);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != colon && std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return std::nullopt;
        }
    }
    const int hour = static_cast<int>(*ParseDecimal(text.substr(0, colon)));
    const int minute = static_cast<int>(*ParseDecimal(text.substr(colon + 1)));
    if (minute > 59 || hour > 24 || (hour == 24 && (!end || minute != 0))) {
        return std::nullopt;
    }
    return hour * 60 + minute;
}

std::string TimeText(int minutes) {
    return FormatHourMinute(minutes / 60, minutes % 60);
}

std::string RangesText(const std::vector<TimeRange>& ranges) {
    std::string text;
    for (const TimeRange& r : ranges) {
        if (!text.empty()) {
            text += " and ";
        }
        text += TimeText(r.start) + " to " + TimeText(r.end);
    }
    return text;
}

// "from Monday to Friday", "on Saturday and Sunday", "on Wednesday".
std::string DaysText(int first, int last) {
    if (first == last) {
        return std::string("on ") + DayName(first);
    }
    if (last == first + 1) {
        return std::string("on ") + DayName(first) + " and " + DayName(last);
    }
    return std::string("from ") + DayName(first) + " to " + DayName(last);
}

}  // namespace

DayHours ReadDayHours(std::string_view text) {
    DayHours day;
    text = Trimmed(text);
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view part = Trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t dash = part.find('-');
        const std::optional<int> start =
            dash == std::string_view::npos ? std::nullopt : ReadTime(part.substr(0, dash), false);
        const std::optional<int> end =
            dash == std::string_view::npos ? std::nullopt : ReadTime(part.substr(dash + 1), true);
        if (!start || !end) {
            day.ranges.clear();
            day.problem = "\"" + std::string(part) + "\" is not a range like 09:00-17:00";
            return day;
        }
        if (*start == *end) {
            day.ranges.clear();
            day.problem = "\"" + std::string(part) + "\" ends where it starts";
            return day;
        }
        day.ranges.push_back(TimeRange{*start, *end});
    }
    return day;
}

int WeekdayOf(const CivilDateTime& date) {
    const std::int64_t days = DaysFromCivil(date.year, date.month, date.day);
    return static_cast<int>(((days + kEpochWeekday) % 7 + 7) % 7);
}

const char* DayName(int weekday) {
    return kDayNames[static_cast<std::size_t>(weekday)];
}

const char* DayShortName(int weekday) {
    return kDayShortNames[static_cast<std::size_t>(weekday)];
}

WorkingHours::WorkingHours(const Settings& settings) : on_(settings.ScheduleOn) {
    for (std::size_t day = 0; day < kDaysInWeek; ++day) {
        days_[day] = ReadDayHours(settings.Hours[day]);
    }
}

bool WorkingHours::Working(const CivilDateTime& local) const {
    if (!on_) {
        return true;
    }
    const int weekday = WeekdayOf(local);
    const int minute = local.hour * 60 + local.minute;
    const DayHours& today = Day(weekday);
    if (!today.Readable()) {
        return true;
    }
    for (const TimeRange& r : today.ranges) {
        if (r.PastMidnight() ? minute >= r.start : minute >= r.start && minute < r.end) {
            return true;
        }
    }
    // Yesterday's ranges that run past midnight reach into today.
    for (const TimeRange& r : Day((weekday + 6) % 7).ranges) {
        if (r.PastMidnight() && minute < r.end) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> WorkingHours::Problems() const {
    std::vector<std::string> problems;
    for (int day = 0; day < static_cast<int>(kDaysInWeek); ++day) {
        if (!Day(day).Readable()) {
            problems.push_back(std::string(DayName(day)) + ": " + Day(day).problem);
        }
    }
    return problems;
}

std::string DescribeHours(const WorkingHours& hours) {
    if (!hours.On()) {
        return "Breaks at any hour";
    }
    const std::vector<std::string> problems = hours.Problems();
    if (!problems.empty()) {
        std::string text;
        for (const std::string& problem : problems) {
            text += (text.empty() ? "" : "; ") + problem;
        }
        return text + ". Such a day has breaks all day.";
    }
    std::string text;
    for (int first = 0; first < static_cast<int>(kDaysInWeek);) {
        const std::vector<TimeRange>& ranges = hours.Day(first).ranges;
        int last = first;
        while (last + 1 < static_cast<int>(kDaysInWeek) && hours.Day(last + 1).ranges == ranges) {
            ++last;
        }
        if (!ranges.empty()) {
            text += (text.empty() ? "Breaks " : "; ") + DaysText(first, last) + ", " +
                    RangesText(ranges);
        }
        first = last + 1;
    }
    return text.empty() ? "No breaks on any day" : text;
}

}  // namespace rilto
