// The day's figures: what the scheduler and the exercise breaks count, booked to the
// local day it happened on, written when asked (once a minute) with unknown keys kept and
// no more than 90 days, and stored text that others may have spoiled read safely.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/memory_settings_store.h"
#include "engine/statistics_book.h"
#include "fakes/exercise_rig.h"
#include "fakes/virtual_clock.h"
#include "statistics/statistics_view.h"

namespace rilto {
namespace {

using fakes::kMsPerHour;
using fakes::kMsPerMinute;

struct StatisticsRig : fakes::ExerciseRig {
    StatisticsRig() : book(core.statistics()) {
        settings.InterruptFor = 10;
        settings.DisableEsc = false;
        UseScheme(2, {}, 3);
        settings.NumAtaTime = 2;
    }
    std::string Stored(const std::string& date) const {
        return store.GetSetting(kStatisticsSection, date, "<none>");
    }
    void Micropause(bool skip) {
        scheduler.RiltoMicropause();
        AdvanceSeconds(2);
        if (skip) {
            scheduler.Skip();
        }
        AdvanceSeconds(10);
    }
    StatisticsBook& book;
};

TEST(StatisticsBook, CountsAreBookedToTheirDayAndWrittenWhenAsked) {
    StatisticsRig rig;  // 2026-03-28 09:00 local
    rig.store.SaveSetting(kStatisticsSection, "2026-03-28", "micropauses=3;skipped=x;future=7");
    rig.Start();
    rig.Micropause(false);
    rig.Micropause(true);
    EXPECT_EQ(rig.Stored("2026-03-28"), "micropauses=3;skipped=x;future=7") << "not yet written";
    EXPECT_EQ(rig.book.Today()[DayCount::micropauses], 4);
    rig.book.Flush();
    EXPECT_EQ(rig.Stored("2026-03-28"),
              "micropauses=4;skipped=1;natural=0;exercises=0;postponed=0;endedEarly=0;"
              "activeMinutes=0;future=7");

    // 14:59 to 00:01 asleep: the first count after waking is the new day's.
    rig.AdvanceMinutes(6 * 60 - 1);
    rig.clock.Sleep(9 * kMsPerHour + 2 * kMsPerMinute);
    rig.AdvanceSeconds(1);
    rig.Micropause(true);
    rig.book.Flush();
    EXPECT_EQ(rig.Stored("2026-03-29").rfind("micropauses=0;skipped=1;", 0), 0u)
        << rig.Stored("2026-03-29");
    EXPECT_EQ(rig.book.Today()[DayCount::skipped], 1);
    EXPECT_EQ(rig.book.StoredDays().size(), 2u);
}

TEST(StatisticsBook, BreaksRestsAndActiveMinutesAreCounted) {
    StatisticsRig rig;
    rig.settings.EveryM = 5;
    rig.Start();
    // Three minutes of work, then a quiet minute: a natural micropause however many
    // quiet polls; the five minutes the reminder waits are the second.
    for (int s = 0; s < 180; s += 5) {
        rig.AdvanceSeconds(2);
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(3);
    }
    rig.AdvanceSeconds(60);
    rig.hook.Input(kMouse);
    rig.AdvanceSeconds(61);  // the reminder at 5 minutes
    ASSERT_TRUE(rig.reminder.shown);
    rig.flow.Later("5");
    rig.AdvanceMinutes(5);
    ASSERT_TRUE(rig.reminder.shown);
    rig.flow.ReminderClosed();  // the close box
    rig.flow.ExerciseNowFromTray();
    rig.RunToEnd();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    rig.flow.EndBreak();
    rig.RunToEnd();
    const DayFigures today = rig.book.Today();
    EXPECT_EQ(today[DayCount::natural], 2);
    EXPECT_EQ(today[DayCount::activeMinutes], 4);  // minutes 1, 2, 3 and the 5th
    EXPECT_EQ(today[DayCount::postponed], 2);
    EXPECT_EQ(today[DayCount::exercises], 1);
    EXPECT_EQ(today[DayCount::endedEarly], 1);
}

TEST(StatisticsBook, NinetyDaysAreKept) {
    StatisticsRig rig;
    for (int back = 0; back < 100; ++back) {
        rig.store.SaveSetting(kStatisticsSection,
                              DateOfDayNumber(*DayNumberOf("2026-03-28") - back), "micropauses=1");
    }
    rig.store.SaveSetting(kStatisticsSection, "not a date", "x");
    rig.book.Count(DayCount::micropauses);
    rig.book.Flush();
    const std::vector<DayFigures> days = rig.book.StoredDays();
    ASSERT_EQ(days.size(), 90u);
    EXPECT_EQ(days.front().date, "2025-12-29");
    EXPECT_EQ(days.back().date, "2026-03-28");
    EXPECT_EQ(days.back()[DayCount::micropauses], 2);
    EXPECT_TRUE(rig.store.Has(kStatisticsSection, "not a date")) << "not ours to remove";
}

// A count stops at the most a day can hold: one beyond would be written as a number the
// figures read back as 0.
TEST(StatisticsBook, ACountStopsAtTheMostADayHolds) {
    MemorySettingsStore store;
    fakes::VirtualClock clock;  // 2026-03-28
    store.SaveSetting(kStatisticsSection, "2026-03-28", "micropauses=86399;natural=86400");
    StatisticsBook book(store, clock);
    book.Count(DayCount::micropauses);
    book.Count(DayCount::micropauses);
    book.Count(DayCount::natural);
    EXPECT_EQ(book.Today()[DayCount::micropauses], 86'400);
    book.Flush();
    const DayFigures stored =
        ParseDayFigures("2026-03-28", store.GetSetting(kStatisticsSection, "2026-03-28", ""));
    EXPECT_EQ(stored[DayCount::micropauses], 86'400);
    EXPECT_EQ(stored[DayCount::natural], 86'400);
}

// The date set a year ahead for a minute, by a user or a clock that was wrong, books one
// day there; it takes none of the real days with it, and once the date is right again the
// chart and the CSV leave that day out until its date comes.
TEST(StatisticsBook, ADateAheadForAMinuteDropsNoRealDay) {
    MemorySettingsStore store;
    fakes::VirtualClock clock;  // 2026-03-28 09:00
    const std::int64_t today = *DayNumberOf("2026-03-28");
    for (int back = 1; back <= 60; ++back) {
        store.SaveSetting(kStatisticsSection, DateOfDayNumber(today - back), "micropauses=1");
    }
    StatisticsBook book(store, clock);
    book.Count(DayCount::micropauses);
    book.Flush();
    constexpr std::int64_t kYear = 365 * 86'400;
    clock.ShiftWall(kYear);
    ASSERT_EQ(book.TodayDate(), "2027-03-28");
    book.Count(DayCount::skipped);
    book.Flush();
    clock.Advance(fakes::kMsPerMinute);
    clock.ShiftWall(-kYear);
    book.Count(DayCount::micropauses);
    book.Flush();
    clock.Advance(24 * kMsPerHour);
    book.Count(DayCount::natural);
    book.Flush();

    const std::vector<DayFigures> days = book.StoredDays();
    ASSERT_EQ(days.size(), 63u);  // sixty, today, tomorrow, and the day ahead
    EXPECT_EQ(days.front().date, "2026-01-27");
    EXPECT_EQ(days[61].date, "2026-03-29");
    EXPECT_EQ(days.back().date, "2027-03-28");
    EXPECT_EQ(days[60][DayCount::micropauses], 2);

    const std::string now = book.TodayDate();
    ASSERT_EQ(now, "2026-03-29");
    const std::vector<DayFigures> month = LastDays(days, now, kMonthSpan);
    ASSERT_EQ(month.size(), static_cast<std::size_t>(kMonthSpan));
    EXPECT_EQ(month.back().date, "2026-03-29");
    EXPECT_EQ(month.back()[DayCount::natural], 1);
    const std::string csv = CopiedDays(days, now);
    EXPECT_EQ(csv.find("2027-"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n2026-01-27,1,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n2026-03-29,0,0,1,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 63);  // the header and 62 days
}

// However far ahead the date, the store keeps 90 days: no more than the days beyond them
// are dropped, the oldest first.
TEST(StatisticsBook, NoMoreThanTheDaysBeyondNinetyAreDropped) {
    MemorySettingsStore store;
    fakes::VirtualClock clock;  // 2026-03-28
    const std::int64_t today = *DayNumberOf("2026-03-28");
    for (int back = 0; back < 90; ++back) {
        store.SaveSetting(kStatisticsSection, DateOfDayNumber(today - back), "micropauses=1");
    }
    StatisticsBook book(store, clock);
    clock.ShiftWall(400 * 86'400);
    book.Count(DayCount::micropauses);
    book.Flush();
    const std::vector<DayFigures> days = book.StoredDays();
    ASSERT_EQ(days.size(), 90u);
    EXPECT_EQ(days.front().date, DateOfDayNumber(today - 88));
    EXPECT_EQ(days[88].date, "2026-03-28");
    EXPECT_EQ(days.back().date, DateOfDayNumber(today + 400));
}

// Fewer than ninety days are all kept, however old: a machine unused for a year keeps
// the figures it had.
TEST(StatisticsBook, AStoreOfFewerThanNinetyDaysLosesNoneHoweverOld) {
    MemorySettingsStore store;
    fakes::VirtualClock clock;  // 2026-03-28
    const std::int64_t today = *DayNumberOf("2026-03-28");
    for (const int back : {400, 200, 91, 1}) {
        store.SaveSetting(kStatisticsSection, DateOfDayNumber(today - back), "micropauses=1");
    }
    StatisticsBook book(store, clock);
    book.Count(DayCount::micropauses);
    book.Flush();
    const std::vector<DayFigures> days = book.StoredDays();
    ASSERT_EQ(days.size(), 5u);
    EXPECT_EQ(days.front().date, DateOfDayNumber(today - 400));
    EXPECT_EQ(days.back().date, "2026-03-28");
}

TEST(DayFigures, BadCountsReadAsZeroAndUnknownKeysAreKept) {
    const DayFigures day =
        ParseDayFigures("2026-12-08",
                        "micropauses=abc;skipped=-3;natural=99999999999;exercises=2;=5;junk;"
                        "postponed= 4 ;later=x=y");
    EXPECT_EQ(day[DayCount::micropauses], 0);
    EXPECT_EQ(day[DayCount::skipped], 0);
    EXPECT_EQ(day[DayCount::natural], 0);
    EXPECT_EQ(day[DayCount::exercises], 2);
    EXPECT_EQ(day[DayCount::postponed], 4);
    EXPECT_EQ(FormatDayFigures(day),
              "micropauses=0;skipped=0;natural=0;exercises=2;postponed=4;endedEarly=0;"
              "activeMinutes=0;later=x=y");
    EXPECT_EQ(DayNumberOf("2026-02-30"), std::nullopt);
    EXPECT_EQ(DateOfDayNumber(*DayNumberOf("2024-02-29") + 1), "2024-03-01");
}

}  // namespace
}  // namespace rilto
