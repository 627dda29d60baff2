// The Statistics window's portable side: the days the chart shows, today in words, the
// CSV for the clipboard, and the chart's layout in pixels.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statistics/statistics_view.h"

namespace rilto {
namespace {

DayFigures Day(const std::string& date, int taken, int skipped = 0, int natural = 0,
               int exercises = 0) {
    DayFigures d;
    d.date = date;
    d[DayCount::micropauses] = taken;
    d[DayCount::skipped] = skipped;
    d[DayCount::natural] = natural;
    d[DayCount::exercises] = exercises;
    return d;
}

constexpr ChartText kText{16, 7, 4};

TEST(StatisticsDays, LastDaysFillsGapsWithZerosInOrderAcrossAMonthEnd) {
    // Out of order, one day before the span and one after it.
    const std::vector<DayFigures> stored = {Day("2024-03-02", 5), Day("2024-02-27", 9),
                                            Day("2024-02-28", 3), Day("2024-03-03", 7)};
    const std::vector<DayFigures> days = LastDays(stored, "2024-03-02", 4);
    ASSERT_EQ(days.size(), 4u);
    EXPECT_EQ(days[0].date, "2024-02-28");
    EXPECT_EQ(days[1].date, "2024-02-29");  // a leap day the store lacks
    EXPECT_EQ(days[2].date, "2024-03-01");
    EXPECT_EQ(days[3].date, "2024-03-02");
    EXPECT_EQ(days[0][DayCount::micropauses], 3);
    EXPECT_EQ(days[1].counts, (DayFigures{}.counts));
    EXPECT_EQ(days[2].counts, (DayFigures{}.counts));
    EXPECT_EQ(days[3][DayCount::micropauses], 5);

    EXPECT_EQ(LastDays(stored, "2024-12-31", kMonthSpan).back().date, "2024-12-31");
    EXPECT_EQ(LastDays(stored, "2025-01-05", kWeekSpan).front().date, "2024-12-30");
    EXPECT_TRUE(LastDays(stored, "2024-02-30", kWeekSpan).empty());
}

TEST(StatisticsWords, TodayInWordsCountsInSingularAndPlural) {
    DayFigures today = Day("2024-03-02", 12, 2, 5, 1);
    today[DayCount::postponed] = 1;
    today[DayCount::activeMinutes] = 214;
    EXPECT_EQ(TodayInWords(today),
              "Today: 12 micropauses taken, 2 skipped, 5 natural; 1 exercise break, 1 postponed, "
              "0 ended early; 214 active minutes.");
    DayFigures one = Day("2024-03-02", 1, 0, 0, 2);
    one[DayCount::activeMinutes] = 1;
    EXPECT_EQ(TodayInWords(one),
              "Today: 1 micropause taken, 0 skipped, 0 natural; 2 exercise breaks, 0 postponed, "
              "0 ended early; 1 active minute.");
}

TEST(StatisticsCsvText, HeaderThenEveryDayInDateOrderWithCrLf) {
    DayFigures later = Day("2024-03-01", 4, 1, 2, 1);
    later[DayCount::postponed] = 3;
    later[DayCount::endedEarly] = 1;
    later[DayCount::activeMinutes] = 300;
    later.unknown = {{"future", "9"}};
    const std::string csv = StatisticsCsv({later, Day("2024-02-29", 7)});
    EXPECT_EQ(csv,
              "date,micropauses,skipped,natural,exercises,postponed,endedEarly,activeMinutes\r\n"
              "2024-02-29,7,0,0,0,0,0,0\r\n"
              "2024-03-01,4,1,2,1,3,1,300\r\n");
    EXPECT_EQ(StatisticsCsv({}),
              "date,micropauses,skipped,natural,exercises,postponed,endedEarly,activeMinutes\r\n");
}

// Copy writes every stored day up to today; one ahead of it, booked while the date was
// wrong, stays out of the CSV as it stays out of the chart.
TEST(StatisticsCsvText, CopiedDaysLeaveOutDaysAheadOfToday) {
    const std::vector<DayFigures> stored = {Day("2027-03-02", 9), Day("2024-03-01", 4),
                                            Day("2024-03-03", 8), Day("2024-03-02", 5)};
    const std::string header =
        "date,micropauses,skipped,natural,exercises,postponed,endedEarly,activeMinutes\r\n";
    EXPECT_EQ(CopiedDays(stored, "2024-03-02"), header +
                                                    "2024-03-01,4,0,0,0,0,0,0\r\n"
                                                    "2024-03-02,5,0,0,0,0,0,0\r\n");
    EXPECT_EQ(CopiedDays(stored, "2027-03-02").size(), header.size() + 4 * 26);
    EXPECT_EQ(CopiedDays(stored, "2024-02-29"), header);
    // Without a date for today, nothing is known to be ahead.
    EXPECT_EQ(CopiedDays(stored, ""), StatisticsCsv(stored));
    for (const int span : {kWeekSpan, kMonthSpan}) {
        const std::vector<DayFigures> shown = LastDays(stored, "2024-03-02", span);
        EXPECT_EQ(shown.back().date, "2024-03-02");
        EXPECT_EQ(shown.back()[DayCount::micropauses], 5);
    }
}

TEST(StatisticsChart, ScaleIsTheNextOneTwoOrFiveStep) {
    EXPECT_EQ(NiceScaleMax(0), 1);
    EXPECT_EQ(NiceScaleMax(1), 1);
    EXPECT_EQ(NiceScaleMax(2), 2);
    EXPECT_EQ(NiceScaleMax(3), 5);
    EXPECT_EQ(NiceScaleMax(6), 10);
    EXPECT_EQ(NiceScaleMax(11), 20);
    EXPECT_EQ(NiceScaleMax(21), 50);
    EXPECT_EQ(NiceScaleMax(50), 50);
    EXPECT_EQ(NiceScaleMax(51), 100);
    EXPECT_EQ(NiceScaleMax(1001), 2000);

    // The tallest stack sets the scale; the grid runs from 0 to it in round steps.
    const ChartLayout chart = LayOutChart({Day("2024-03-01", 20, 10, 7)}, {0, 0, 400, 300}, kText);
    EXPECT_EQ(chart.scaleMax, 50);
    ASSERT_EQ(chart.grid.size(), 6u);
    EXPECT_EQ(chart.grid.front().value, 0);
    EXPECT_EQ(chart.grid.front().y, chart.plot.bottom);
    EXPECT_EQ(chart.grid[1].value, 10);
    EXPECT_EQ(chart.grid.back().value, 50);
    EXPECT_EQ(chart.grid.back().y, chart.plot.top);
    // Text around the plot inside the area.
    EXPECT_GT(chart.plot.left, 2 * kText.charWidth);
    EXPECT_LE(chart.labelTop + kText.lineHeight, 300);
    EXPECT_GE(chart.plot.top, kText.lineHeight);

    // Too low for five numbers: only the bottom and the top.
    EXPECT_EQ(LayOutChart({Day("2024-03-01", 40)}, {0, 0, 400, 80}, kText).grid.size(), 2u);
}

TEST(StatisticsChart, BarsAreStackedProportionalAndAtLeastAPixel) {
    // A plot 200 pixels tall: the area less a line and a gap above and below.
    const ChartRect area{0, 0, 300, 200 + 2 * (kText.lineHeight + kText.gap)};
    const ChartLayout chart =
        LayOutChart({Day("2024-03-01", 50, 25, 0), Day("2024-03-02", 100, 0, 0, 2),
                     Day("2024-03-03", 99, 1, 0), Day("2024-03-04", 0)},
                    area, kText);
    ASSERT_EQ(chart.plot.Height(), 200);
    EXPECT_EQ(chart.scaleMax, 100);
    ASSERT_EQ(chart.bars.size(), 4u);
    const ChartBar& first = chart.bars[0];
    EXPECT_EQ(first.taken, 100);
    EXPECT_EQ(first.skipped, 50);
    EXPECT_EQ(first.natural, 0);
    EXPECT_EQ(first.top, chart.plot.bottom - 150);
    EXPECT_FALSE(first.marked);
    const ChartBar& full = chart.bars[1];
    EXPECT_EQ(full.taken, 200);
    EXPECT_EQ(full.top, chart.plot.top);
    EXPECT_TRUE(full.marked);
    EXPECT_EQ(full.exercises, 2);
    EXPECT_EQ(chart.bars[3].top, chart.plot.bottom);

    // A count of one on a tall scale still shows, and the stack stays in the plot.
    const ChartLayout tiny = LayOutChart({Day("2024-03-01", 998, 1, 1)}, {0, 0, 300, 140}, kText);
    ASSERT_EQ(tiny.scaleMax, 1000);
    const ChartBar& bar = tiny.bars[0];
    EXPECT_EQ(bar.skipped, 1);
    EXPECT_EQ(bar.natural, 1);
    EXPECT_EQ(bar.taken + bar.skipped + bar.natural, tiny.plot.Height());
    EXPECT_EQ(bar.top, tiny.plot.top);

    // A plot of two pixels cannot give three segments a pixel each: it stays two.
    const ChartLayout flat =
        LayOutChart({Day("2024-03-01", 1, 1, 1)}, {0, 0, 300, 2 + 2 * 20}, kText);
    ASSERT_EQ(flat.plot.Height(), 2);
    EXPECT_EQ(flat.bars[0].taken + flat.bars[0].skipped + flat.bars[0].natural, 2);
    EXPECT_GE(flat.bars[0].top, flat.plot.top);
}

TEST(StatisticsChart, SevenAndThirtyBarsFitTheWidthWithReadableLabels) {
    std::vector<DayFigures> stored;
    for (int d = 1; d <= 30; ++d) {
        stored.push_back(Day(DateName(2024, 11, d), d, d % 3, d % 2, d % 5 == 0 ? 1 : 0));
    }
    for (const int span : {kWeekSpan, kMonthSpan}) {
        const ChartLayout chart =
            LayOutChart(LastDays(stored, "2024-11-30", span), {10, 20, 510, 320}, kText);
        ASSERT_EQ(chart.bars.size(), static_cast<std::size_t>(span));
        int shownRight = chart.plot.left - kText.charWidth;
        for (std::size_t i = 0; i < chart.bars.size(); ++i) {
            const ChartBar& bar = chart.bars[i];
            EXPECT_GE(bar.x, chart.plot.left);
            EXPECT_LE(bar.x + bar.width, chart.plot.right);
            EXPECT_GT(bar.width, 0);
            if (i > 0) {
                EXPECT_GT(bar.x, chart.bars[i - 1].x + chart.bars[i - 1].width);  // a gap
            }
            EXPECT_EQ(bar.marked, bar.day[DayCount::exercises] > 0);
            if (bar.labelShown) {
                // Labels centred under their bars do not run into each other.
                const int half = static_cast<int>(bar.label.size()) * kText.charWidth / 2;
                const int centre = bar.x + bar.width / 2;
                EXPECT_GE(centre - half, shownRight) << bar.label;
                shownRight = centre + half;
            }
        }
        EXPECT_TRUE(chart.bars.back().labelShown);
        EXPECT_EQ(chart.bars.back().label, span == kWeekSpan ? "Sat 30" : "30");
    }
    // 2024-11-25 was a Monday; the first of the month loses its leading zero.
    EXPECT_EQ(LayOutChart(LastDays(stored, "2024-11-25", 1), {0, 0, 300, 200}, kText).bars[0].label,
              "Mon 25");
    EXPECT_EQ(
        LayOutChart(LastDays(stored, "2024-12-01", 8), {0, 0, 300, 200}, kText).bars.back().label,
        "1");
}

}  // namespace
}  // namespace rilto

namespace rilto {
namespace {

DayFigures Active(const std::string& date, int taken, int activeMinutes) {
    DayFigures d = Day(date, taken);
    d[DayCount::activeMinutes] = activeMinutes;
    return d;
}

TEST(StatisticsChart, TheActiveScaleStepsInRoundTimes) {
    EXPECT_EQ(ActiveScaleMax(480, 5), 600);  // 2 h a line
    EXPECT_EQ(ActiveScaleMax(601, 5), 900);  // 3 h a line
    EXPECT_EQ(ActiveScaleMax(30, 5), 150);
    EXPECT_EQ(ActiveScaleMax(480, 1), 480);
    EXPECT_EQ(ActiveScaleMax(1440, 1), 1440);
    EXPECT_EQ(ActiveScaleMax(1441, 1), 2880);
    EXPECT_EQ(ActiveScaleMax(100, 0), 120) << "no grid between: one interval";
    EXPECT_EQ(ActiveScaleLabel(0), "0");
    EXPECT_EQ(ActiveScaleLabel(30), "30 min");
    EXPECT_EQ(ActiveScaleLabel(120), "2 h");
    EXPECT_EQ(ActiveScaleLabel(90), "1 h 30");
}

// The limit's line stands at its minutes on the active scale, which shares the grid's
// lines and reaches the limit and the most active day; each day's minutes are marked.
TEST(StatisticsChart, TheDailyLimitIsALineOnTheActiveScale) {
    const std::vector<DayFigures> days = {Active("2024-03-01", 20, 300),
                                          Active("2024-03-02", 50, 540)};
    const ChartRect area{0, 0, 400, 300};
    const ChartLayout plain = LayOutChart(days, area, kText);
    EXPECT_FALSE(plain.limit.has_value()) << "no limit, no line";

    const ChartLayout chart = LayOutChart(days, area, kText, 480);
    ASSERT_TRUE(chart.limit.has_value());
    EXPECT_EQ(chart.scaleMax, 50);
    ASSERT_EQ(chart.grid.size(), 6u);
    // Five intervals reaching 540 minutes: 2 h each.
    EXPECT_EQ(chart.limit->scaleMax, 600);
    ASSERT_EQ(chart.limit->scale.size(), chart.grid.size());
    EXPECT_EQ(chart.limit->scale[1].value, 120);
    EXPECT_EQ(chart.limit->scale[1].y, chart.grid[1].y);
    EXPECT_EQ(chart.limit->scale.back().value, 600);
    const int height = chart.plot.Height();
    EXPECT_EQ(chart.limit->minutes, 480);
    EXPECT_EQ(chart.limit->y, chart.plot.bottom - 480 * height / 600);
    EXPECT_EQ(chart.bars[0].activeY, chart.plot.bottom - 300 * height / 600);
    EXPECT_LT(chart.bars[1].activeY, chart.limit->y) << "the day over the limit stands above it";
    // The right-hand numbers have room beside the plot, inside the area.
    EXPECT_LT(chart.plot.right, plain.plot.right);
    EXPECT_GT(chart.limit->scaleLabelLeft, chart.plot.right);
    EXPECT_LE(chart.limit->scaleLabelLeft + 7 * kText.charWidth, area.right);
    // The micropauses' bars keep their own scale.
    EXPECT_EQ(chart.bars[1].top, chart.plot.bottom - height);

    // A limit above every day sets the scale's top.
    const ChartLayout high = LayOutChart({Active("2024-03-01", 1, 10)}, area, kText, 1440);
    EXPECT_EQ(high.limit->scaleMax, 1440);
    EXPECT_EQ(high.limit->y, high.plot.top);
}

}  // namespace
}  // namespace rilto
