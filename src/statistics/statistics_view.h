#pragma once
// What the "Rilto Statistics" window shows, decided without Windows: the days of the
// chart, today's figures in words, every day as CSV for a spreadsheet, and where each
// bar, segment, grid line and label of the chart goes, in whole pixels.

#include <optional>
#include <string>
#include <vector>

#include "common/day_figures.h"

namespace rilto {

// The two spans the chart shows.
inline constexpr int kWeekSpan = 7;
inline constexpr int kMonthSpan = 30;

// The `count` days ending with `today` ("YYYY-MM-DD"), oldest first, one per calendar
// day; a day the store lacks is all zeros. Nothing when `today` is not a date.
std::vector<DayFigures> LastDays(const std::vector<DayFigures>& stored, const std::string& today,
                                 int count);

// "Today: 12 micropauses taken, 2 skipped, 5 natural; 1 exercise break, 1 postponed,
// 0 ended early; 214 active minutes."
std::string TodayInWords(const DayFigures& today);

// A header row of the keys, then one row per day in date order; lines end in CRLF, as
// text on the clipboard does.
std::string StatisticsCsv(const std::vector<DayFigures>& days);

// What "Copy" puts on the clipboard: the CSV of every stored day up to `today`. A day
// ahead of it, booked while the date was set wrong, is left out, as the chart leaves it;
// with no date for today none is.
std::string CopiedDays(const std::vector<DayFigures>& stored, const std::string& today);

// The smallest of 1, 2, 5, 10, 20, 50... that is at least `tallest`.
int NiceScaleMax(int tallest);

struct ChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What the chart's text needs, in pixels of the font it is drawn in.
struct ChartText {
    int lineHeight = 16;  // one line of text
    int charWidth = 7;    // an average character, for the labels' room
    int gap = 4;          // between text and what it labels
};

struct ChartGridLine {
    int y = 0;
    int value = 0;
};

struct ChartBar {
    DayFigures day;
    int x = 0;
    int width = 0;
    // Segment heights, stacked from the plot's bottom up in this order.
    int taken = 0;
    int skipped = 0;
    int natural = 0;
    int top = 0;  // the stack's top edge: the plot's bottom less the three heights
    // Exercise breaks completed that day; the bar is marked when there are any.
    int exercises = 0;
    bool marked = false;
    std::string label;       // the day under the bar
    bool labelShown = true;  // false where labels would run into each other
    // With a daily limit: where the day's active minutes stand on the active scale.
    int activeY = 0;
};

// The daily limit on the chart: a line across the plot at the limit, on a scale of active
// minutes of its own, numbered on the right at the grid's lines; each day's active minutes
// marked on it.
struct ChartLimit {
    int minutes = 0;
    int y = 0;
    int scaleMax = 1;                  // active minutes at the plot's top
    std::vector<ChartGridLine> scale;  // the grid's lines, valued in active minutes
    int scaleLabelLeft = 0;            // the right-hand numbers start here
};

struct ChartLayout {
    ChartRect plot;  // where the bars stand; scale numbers left of it, labels below
    int scaleMax = 1;
    std::vector<ChartGridLine> grid;  // from 0 up to scaleMax, bottom first
    std::vector<ChartBar> bars;
    int scaleLabelRight = 0;  // the scale's numbers end here, right-aligned
    int labelTop = 0;         // the day labels' top
    std::optional<ChartLimit> limit;
};

// The chart of `days` (oldest first) in `area`; with `limitMinutes`, the daily limit too.
ChartLayout LayOutChart(const std::vector<DayFigures>& days, const ChartRect& area,
                        const ChartText& text, std::optional<int> limitMinutes = std::nullopt);

// The active scale's top: the least multiple of `intervals` round steps (30 minutes, an
// hour, 2, 3, 4, 6, 8 or 12 hours, then whole days) that reaches `tallest`.
int ActiveScaleMax(int tallest, int intervals);
// A number of the active scale: "0", "30 min", "2 h", "1 h 30".
std::string ActiveScaleLabel(int minutes);

}  // namespace rilto
