#include "common/day_figures.h"

#include "common/civil_time.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;

}  // namespace

DayFigures ParseDayFigures(std::string date, std::string_view text) {
    DayFigures day;
    day.date = std::move(date);
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view pair = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            continue;
        }
        const std::string_view key = pair.substr(0, equals);
        const std::string_view value = pair.substr(equals + 1);
        bool known = false;
        for (std::size_t i = 0; i < kDayCounts; ++i) {
            if (key == kDayCountKeys[i]) {
                const auto n = ParseDecimal(value);
                day.counts[i] =
                    n && *n >= 0 && *n <= kMostInADay ? static_cast<std::int32_t>(*n) : 0;
                known = true;
                break;
            }
        }
        if (!known) {
            day.unknown.emplace_back(std::string(key), std::string(value));
        }
    }
    return day;
}

std::string FormatDayFigures(const DayFigures& day) {
    std::string text;
    const auto add = [&text](std::string_view key, std::string_view value) {
        if (!text.empty()) {
            text.push_back(';');
        }
        text.append(key).push_back('=');
        text.append(value);
    };
    for (std::size_t i = 0; i < kDayCounts; ++i) {
        add(kDayCountKeys[i], std::to_string(day.counts[i]));
    }
    for (const auto& [key, value] : day.unknown) {
        add(key, value);
    }
    return text;
}

std::string DateName(int year, int month, int day) {
    std::string text;
    AppendDate(text, year, month, day);
    return text;
}

std::optional<std::int64_t> DayNumberOf(std::string_view date) {
    const auto utc = ParseUtc(std::string(date) + "T00:00:00Z");
    if (!utc || date.size() != 10) {
        return std::nullopt;
    }
    return *utc / kSecondsPerDay;
}

std::string DateOfDayNumber(std::int64_t days) {
    const CivilDateTime t = CivilFromSeconds(days * kSecondsPerDay);
    return DateName(t.year, t.month, t.day);
}

}  // namespace rilto
