#include "statistics/statistics_view.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rilto {

namespace {

constexpr char kTodayLead[] = "Today: ";
constexpr char kMicropauseTaken[] = " micropause taken";
constexpr char kMicropausesTaken[] = " micropauses taken";
constexpr char kSkipped[] = " skipped";
constexpr char kNatural[] = " natural";
constexpr char kExerciseBreak[] = " exercise break";
constexpr char kExerciseBreaks[] = " exercise breaks";
constexpr char kPostponed[] = " postponed";
constexpr char kEndedEarly[] = " ended early";
constexpr char kActiveMinute[] = " active minute";
constexpr char kActiveMinutes[] = " active minutes";
constexpr char kCsvSeparator = ',';
constexpr char kCsvLineEnd[] = "\r\n";
constexpr char kDateColumn[] = "date";

// Short names of the week's days, from Sunday; 1970-01-01 was a Thursday.
constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int kWeekdayOfDayZero = 4;

// Bars take two thirds of their slot; the rest is the gap between them.
constexpr int kBarShareNumerator = 2;
constexpr int kBarShareDenominator = 3;

std::string Counted(std::int32_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
}

// The height of `count` on a plot `height` pixels tall that shows up to `scaleMax`.
int HeightOf(std::int64_t count, int height, int scaleMax) {
    return static_cast<int>(count * height / scaleMax);
}

// The three segments of a bar, each within a pixel of its share, none that counts
// anything thinner than a pixel, and together never taller than `height`.
std::array<int, 3> Segments(const std::array<std::int32_t, 3>& counts, int height, int scaleMax) {
    std::array<int, 3> h{};
    std::int64_t below = 0;
    int bottom = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        below += counts[i];
        const int top = HeightOf(below, height, scaleMax);
        h[i] = std::max(top - bottom, counts[i] > 0 ? 1 : 0);
        bottom = top;
    }
    // A thin segment's pixel may have pushed the stack past the plot: the tallest gives
    // it back, as long as it keeps its own pixel.
    for (int total = h[0] + h[1] + h[2]; total > height; --total) {
        auto tallest = std::max_element(h.begin(), h.end());
        if (*tallest <= 1) {
            // Fewer pixels than segments: the ones on top go without.
            for (auto it = h.rbegin(); it != h.rend(); ++it) {
                if (*it > 0) {
                    --*it;
                    break;
                }
            }
        } else {
            --*tallest;
        }
    }
    return h;
}

std::string DayLabel(const DayFigures& day, bool withWeekday) {
    const std::optional<std::int64_t> number = DayNumberOf(day.date);
    if (!number) {
        return day.date;
    }
    // "08" as "8".
    const std::string dayOfMonth = day.date.substr(day.date[8] == '0' ? 9 : 8);
    if (!withWeekday) {
        return dayOfMonth;
    }
    const auto weekday = static_cast<std::size_t>(((*number % 7) + 7 + kWeekdayOfDayZero) % 7);
    return std::string(kWeekdays[weekday]) + " " + dayOfMonth;
}

// The grid's step for a scale of 1, 2 or 5 times a power of ten: at most five
// intervals, each a round number.
int GridStep(int scaleMax) {
    int power = 1;
    while (power * 10 <= scaleMax) {
        power *= 10;
    }
    const int lead = scaleMax / power;  // 1, 2 or 5
    if (power == 1) {
        return 1;
    }
    if (lead == 1) {
        return power / 5;
    }
    if (lead == 2) {
        return power / 2;
    }
    return power;
}

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 24 * kMinutesPerHour;
constexpr std::array<int, 9> kActiveSteps = {30, 60, 120, 180, 240, 360, 480, 720, 1440};

}  // namespace

int ActiveScaleMax(int tallest, int intervals) {
    intervals = std::max(intervals, 1);
    for (const int step : kActiveSteps) {
        if (std::int64_t{step} * intervals >= tallest) {
            return step * intervals;
        }
    }
    const std::int64_t days = (tallest + std::int64_t{kMinutesPerDay} * intervals - 1) /
                              (std::int64_t{kMinutesPerDay} * intervals);
    return static_cast<int>(days * kMinutesPerDay * intervals);
}

std::string ActiveScaleLabel(int minutes) {
    if (minutes == 0) {
        return "0";
    }
    const int hours = minutes / kMinutesPerHour;
    const int rest = minutes % kMinutesPerHour;
    if (hours == 0) {
        return std::to_string(rest) + " min";
    }
    if (rest == 0) {
        return std::to_string(hours) + " h";
    }
    return std::to_string(hours) + " h " + std::to_string(rest);
}

std::vector<DayFigures> LastDays(const std::vector<DayFigures>& stored, const std::string& today,
                                 int count) {
    std::vector<DayFigures> days;
    const std::optional<std::int64_t> last = DayNumberOf(today);
    if (!last || count <= 0) {
        return days;
    }
    const std::int64_t first = *last - count + 1;
    std::map<std::int64_t, const DayFigures*> byNumber;
    for (const DayFigures& day : stored) {
        const std::optional<std::int64_t> n = DayNumberOf(day.date);
        if (n && *n >= first && *n <= *last) {
            byNumber[*n] = &day;
        }
    }
    days.reserve(static_cast<std::size_t>(count));
    for (std::int64_t n = first; n <= *last; ++n) {
        if (const auto found = byNumber.find(n); found != byNumber.end()) {
            days.push_back(*found->second);
        } else {
            DayFigures zero;
            zero.date = DateOfDayNumber(n);
            days.push_back(std::move(zero));
        }
    }
    return days;
}

std::string TodayInWords(const DayFigures& today) {
    return kTodayLead + Counted(today[DayCount::micropauses], kMicropauseTaken, kMicropausesTaken) +
           ", " + std::to_string(today[DayCount::skipped]) + kSkipped + ", " +
           std::to_string(today[DayCount::natural]) + kNatural + "; " +
           Counted(today[DayCount::exercises], kExerciseBreak, kExerciseBreaks) + ", " +
           std::to_string(today[DayCount::postponed]) + kPostponed + ", " +
           std::to_string(today[DayCount::endedEarly]) + kEndedEarly + "; " +
           Counted(today[DayCount::activeMinutes], kActiveMinute, kActiveMinutes) + ".";
}

std::string StatisticsCsv(const std::vector<DayFigures>& days) {
    std::string csv = kDateColumn;
    for (const char* key : kDayCountKeys) {
        csv += kCsvSeparator;
        csv += key;
    }
    csv += kCsvLineEnd;
    std::vector<const DayFigures*> sorted;
    sorted.reserve(days.size());
    for (const DayFigures& day : days) {
        sorted.push_back(&day);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const DayFigures* a, const DayFigures* b) { return a->date < b->date; });
    for (const DayFigures* day : sorted) {
        csv += day->date;
        for (const std::int32_t n : day->counts) {
            csv += kCsvSeparator;
            csv += std::to_string(n);
        }
        csv += kCsvLineEnd;
    }
    return csv;
}

std::string CopiedDays(const std::vector<DayFigures>& stored, const std::string& today) {
    const std::optional<std::int64_t> last = DayNumberOf(today);
    std::vector<DayFigures> days;
    days.reserve(stored.size());
    for (const DayFigures& day : stored) {
        const std::optional<std::int64_t> n = DayNumberOf(day.date);
        if (!last || !n || *n <= *last) {
            days.push_back(day);
        }
    }
    return StatisticsCsv(days);
}

int NiceScaleMax(int tallest) {
    for (std::int64_t power = 1;; power *= 10) {
        for (const int lead : {1, 2, 5}) {
            if (lead * power >= tallest) {
                return static_cast<int>(lead * power);
            }
        }
    }
}

ChartLayout LayOutChart(const std::vector<DayFigures>& days, const ChartRect& area,
                        const ChartText& text, std::optional<int> limitMinutes) {
    ChartLayout chart;
    int tallest = 0;
    int mostActive = 0;
    for (const DayFigures& day : days) {
        tallest = std::max(
            tallest, day[DayCount::micropauses] + day[DayCount::skipped] + day[DayCount::natural]);
        mostActive = std::max(mostActive, day[DayCount::activeMinutes]);
    }
    chart.scaleMax = NiceScaleMax(tallest);

    // Room for the scale's numbers on the left, an exercise mark above the tallest bar
    // and the day labels below.
    const int scaleWidth =
        static_cast<int>(std::to_string(chart.scaleMax).size()) * text.charWidth + text.gap;
    chart.plot.left = std::min(area.right, area.left + scaleWidth + text.gap);
    // The active scale's numbers on the right, as wide as its widest ("12 h 30").
    const int activeScaleWidth = limitMinutes ? 7 * text.charWidth + text.gap : 0;
    chart.plot.right = std::max(chart.plot.left, area.right - text.gap - activeScaleWidth);
    chart.plot.top = std::min(area.bottom, area.top + text.lineHeight + text.gap);
    chart.plot.bottom = std::max(chart.plot.top, area.bottom - text.lineHeight - text.gap);
    chart.scaleLabelRight = chart.plot.left - text.gap;
    chart.labelTop = chart.plot.bottom + text.gap;
    const int height = chart.plot.Height();

    int step = GridStep(chart.scaleMax);
    // Grid lines no closer than a line and a half of text, so their numbers stay apart.
    if (height * step < chart.scaleMax * (text.lineHeight * 3 / 2)) {
        step = chart.scaleMax;  // too little room: the bottom and the top only
    }
    for (int value = 0; value <= chart.scaleMax; value += step) {
        chart.grid.push_back({chart.plot.bottom - HeightOf(value, height, chart.scaleMax), value});
    }
    if (limitMinutes) {
        // The active scale shares the grid's lines: each of them a round number of minutes.
        ChartLimit limit;
        limit.minutes = std::max(*limitMinutes, 0);
        const int intervals = chart.scaleMax / step;
        limit.scaleMax = ActiveScaleMax(std::max(limit.minutes, mostActive), intervals);
        limit.y = chart.plot.bottom - HeightOf(limit.minutes, height, limit.scaleMax);
        limit.scaleLabelLeft = chart.plot.right + text.gap;
        for (const ChartGridLine& line : chart.grid) {
            limit.scale.push_back({line.y, static_cast<int>(std::int64_t{line.value} *
                                                            limit.scaleMax / chart.scaleMax)});
        }
        chart.limit = std::move(limit);
    }

    if (days.empty()) {
        return chart;
    }
    const int count = static_cast<int>(days.size());
    const int slot = chart.plot.Width() / count;
    const int width = std::max(1, slot * kBarShareNumerator / kBarShareDenominator);
    const int offset = (chart.plot.Width() - slot * count) / 2 + (slot - width) / 2;
    const bool withWeekday = count <= kWeekSpan;

    std::size_t widestLabel = 0;
    for (const DayFigures& day : days) {
        widestLabel = std::max(widestLabel, DayLabel(day, withWeekday).size());
    }
    const int labelRoom = (static_cast<int>(widestLabel) + 1) * text.charWidth;
    // Every how-many-th day is labelled, counted back from the last so that today is.
    const int every = slot > 0 ? std::max(1, (labelRoom + slot - 1) / slot) : count;

    for (int i = 0; i < count; ++i) {
        const DayFigures& day = days[static_cast<std::size_t>(i)];
        ChartBar bar;
        bar.day = day;
        bar.x = chart.plot.left + offset + i * slot;
        bar.width = slot > 0 ? width : 0;
        const std::array<int, 3> h =
            Segments({day[DayCount::micropauses], day[DayCount::skipped], day[DayCount::natural]},
                     height, chart.scaleMax);
        bar.taken = h[0];
        bar.skipped = h[1];
        bar.natural = h[2];
        bar.top = chart.plot.bottom - (h[0] + h[1] + h[2]);
        bar.exercises = day[DayCount::exercises];
        bar.marked = bar.exercises > 0;
        bar.label = DayLabel(day, withWeekday);
        bar.labelShown = (count - 1 - i) % every == 0;
        if (chart.limit) {
            bar.activeY = chart.plot.bottom -
                          HeightOf(day[DayCount::activeMinutes], height, chart.limit->scaleMax);
        }
        chart.bars.push_back(std::move(bar));
    }
    return chart;
}

}  // namespace rilto
