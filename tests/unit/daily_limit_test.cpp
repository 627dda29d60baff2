// The daily limit in the program's core, on the virtual clock: the window comes when
// today's active minutes, as the store keeps them, reach the limit; once per crossing,
// again after 30 more active minutes, afresh on a new day; never into a pause, a hold, a
// break or the hours off; "&Stop for today" pauses until the next local midnight.

#include <gtest/gtest.h>

#include "common/day_figures.h"
#include "engine/daily_limit.h"
#include "fakes/exercise_rig.h"

namespace rilto {
namespace {

using fakes::kMsPerMinute;

constexpr char kToday[] = "2026-03-28";
constexpr char kTomorrow[] = "2026-03-29";

struct LimitRig : fakes::ExerciseRig {
    explicit LimitRig(LocalTime startTime = {9, 0})
        : ExerciseRig(5'000'000, startTime), window(dailyLimitView) {
        settings.InterruptEvery = 1000;  // no micropause in the way unless asked for
        settings.InterruptFor = 10;
        settings.EveryM = 0;
        settings.LimitOn = true;
        settings.LimitM = 480;
        settings.MaxM = 60;
    }
    // The day's figures as the statistics book writes them, before the program starts.
    void StoreActiveMinutes(const std::string& date, std::int32_t minutes) {
        DayFigures day;
        day.date = date;
        day[DayCount::micropauses] = 3;
        day[DayCount::activeMinutes] = minutes;
        store.SaveSetting(kStatisticsSection, date, FormatDayFigures(day));
    }
    // Minutes with input: each one is an active minute.
    void WorkMinutes(int minutes) {
        for (int m = 0; m < minutes; ++m) {
            for (int s = 0; s < 60; s += 20) {
                hook.Input(kKeyboard);
                AdvanceSeconds(20);
            }
        }
    }
    std::int32_t ActiveToday() { return core.statistics().Today()[DayCount::activeMinutes]; }
    std::size_t Shown() const { return window.shownAt.size(); }

    fakes::FakeDailyLimitView& window;
};

TEST(DailyLimit, ActiveMinutesStoredBeforeARestartReachTheLimit) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();
    // Idle minutes are not active ones: the count stays short of the limit.
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.Shown(), 0u);
    EXPECT_EQ(rig.ActiveToday(), 479);

    rig.WorkMinutes(1);
    ASSERT_EQ(rig.Shown(), 1u);
    EXPECT_EQ(rig.window.shownAt[0], 4 * kMsPerMinute) << "at the minute that reached it";
    EXPECT_EQ(rig.window.worked[0], 480);
    EXPECT_EQ(rig.window.limit, 480);
    EXPECT_TRUE(rig.core.dailyLimit().Showing());
    // The count the window gives is the one the store keeps.
    EXPECT_EQ(ParseDayFigures(kToday, rig.store.GetSetting(kStatisticsSection, kToday,
                                                           ""))[DayCount::activeMinutes],
              480);
}

TEST(DailyLimit, ComesOncePerCrossingAndAgainAfterThirtyMoreActiveMinutes) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();
    rig.WorkMinutes(11);
    ASSERT_EQ(rig.Shown(), 1u) << "left open, it is not shown again";
    EXPECT_EQ(rig.ActiveToday(), 490);

    rig.core.RemindMeLater();
    EXPECT_FALSE(rig.window.open);
    EXPECT_EQ(rig.core.dailyLimit().NextAt(), 520);
    rig.AdvanceMinutes(60);  // away: no active minute
    rig.WorkMinutes(29);
    EXPECT_EQ(rig.Shown(), 1u);
    rig.WorkMinutes(1);
    ASSERT_EQ(rig.Shown(), 2u);
    EXPECT_EQ(rig.window.worked[1], 520);

    // An answer with the window closed changes nothing.
    rig.core.RemindMeLater();
    rig.core.RemindMeLater();
    EXPECT_EQ(rig.core.dailyLimit().NextAt(), 550);
    rig.WorkMinutes(29);
    EXPECT_EQ(rig.Shown(), 2u);
}

// A higher limit set after a reminder was put off moves the next word with it; one set
// below today's count brings it at the next minute.
TEST(DailyLimit, FollowsTheLimitAsTheSettingsChangeIt) {
    LimitRig rig;
    rig.settings.LimitM = 30;
    rig.Start();
    rig.WorkMinutes(30);
    ASSERT_EQ(rig.Shown(), 1u);
    rig.core.RemindMeLater();
    rig.settings.LimitM = 100;
    EXPECT_EQ(rig.core.dailyLimit().NextAt(), 100);
    rig.WorkMinutes(69);
    EXPECT_EQ(rig.Shown(), 1u);
    rig.WorkMinutes(1);
    EXPECT_EQ(rig.Shown(), 2u);
    EXPECT_EQ(rig.window.limit, 100);

    // Switched off: the open window closes, and none comes.
    rig.settings.LimitOn = false;
    rig.AdvanceMinutes(1);
    EXPECT_FALSE(rig.window.open);
    rig.core.RemindMeLater();
    rig.WorkMinutes(40);
    EXPECT_EQ(rig.Shown(), 2u);
    // On again: the crossing at 130, 30 after the last word, lies behind.
    rig.settings.LimitOn = true;
    EXPECT_EQ(rig.core.dailyLimit().NextAt(), 130);
    rig.AdvanceMinutes(1);
    EXPECT_EQ(rig.Shown(), 3u);
}

TEST(DailyLimit, ANewLocalDayStartsAfresh) {
    LimitRig rig({23, 0});
    rig.StoreActiveMinutes(kToday, 479);
    rig.StoreActiveMinutes(kTomorrow, 479);  // as if counted on another machine
    rig.Start();
    rig.WorkMinutes(1);
    ASSERT_EQ(rig.Shown(), 1u);
    // Left open into the new day: it closes at its first minute, and the new day's count
    // reaches the limit with one more active minute, though yesterday's word was not
    // answered.
    rig.AdvanceMinutes(58);
    EXPECT_TRUE(rig.window.open);
    rig.AdvanceMinutes(1);
    EXPECT_FALSE(rig.window.open);
    EXPECT_EQ(rig.core.statistics().TodayDate(), kTomorrow);
    rig.WorkMinutes(1);
    ASSERT_EQ(rig.Shown(), 2u);
    EXPECT_EQ(rig.window.worked[1], 480);
}

TEST(DailyLimit, StopForTodayPausesUntilTheNextLocalMidnight) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();
    rig.core.StopForToday();  // no window: nothing to answer
    EXPECT_EQ(rig.store.GetSetting(kOptions, kPausedUntilKey, ""), "");

    rig.WorkMinutes(1);
    ASSERT_TRUE(rig.window.open);
    rig.core.StopForToday();
    EXPECT_FALSE(rig.window.open);
    // Local time is an hour ahead of UTC: midnight is 23:00 UTC.
    EXPECT_EQ(rig.store.GetSetting(kOptions, kPausedUntilKey, ""), "2026-03-28T23:00:00Z");
    EXPECT_EQ(rig.status.pausedUntil, "00:00");
    // Work goes on in the pause: no word while it lasts.
    rig.WorkMinutes(60);
    EXPECT_EQ(rig.Shown(), 1u);
    // Resumed: the word comes again, 30 active minutes after the stop.
    rig.core.Resume();
    rig.WorkMinutes(1);
    EXPECT_EQ(rig.Shown(), 2u);
}

TEST(DailyLimit, WaitsForAPauseAndAHoldAndComesAtTheMinuteAfter) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();
    rig.core.PauseFor(30);
    rig.WorkMinutes(5);
    EXPECT_EQ(rig.Shown(), 0u) << "paused";
    rig.core.Resume();

    rig.settings.FullScreen = true;
    rig.probe.view.coversMonitor = true;
    rig.WorkMinutes(5);
    EXPECT_EQ(rig.Shown(), 0u) << "held";
    EXPECT_FALSE(rig.core.holdGate().Holding()) << "it holds no break";
    rig.probe.view.coversMonitor = false;
    rig.AdvanceMinutes(1);  // the minute after the hold, with no input
    ASSERT_EQ(rig.Shown(), 1u);
    EXPECT_EQ(rig.window.worked[0], 489);
}

TEST(DailyLimit, NeverOverABreakThatRunsWaitsOrShowsItsReminder) {
    LimitRig rig;
    rig.UseScheme(2, {}, 50);
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();

    // A micropause of 90 seconds over the minute that reaches the limit.
    rig.settings.InterruptFor = 90;
    rig.AdvanceSeconds(30);
    rig.core.MicropauseNow();
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(31);
    ASSERT_TRUE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.ActiveToday(), 480);
    EXPECT_EQ(rig.Shown(), 0u);
    rig.AdvanceSeconds(60);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.Shown(), 1u) << "at the minute after it";
    rig.core.RemindMeLater();

    // An exercise break: the minutes stand still for it, and the word comes after it.
    rig.settings.InterruptFor = 10;
    rig.WorkMinutes(29);
    rig.flow.ExerciseNowFromTray();
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(5);
    rig.core.OnMinute();  // a minute counted in the break, as a wake-up's may be
    EXPECT_EQ(rig.ActiveToday(), 510);
    rig.RunToEnd();
    EXPECT_EQ(rig.Shown(), 1u);
    rig.AdvanceMinutes(1);
    EXPECT_EQ(rig.Shown(), 2u);
    rig.core.RemindMeLater();

    // The exercise reminder open: the word waits until it closes.
    rig.settings.EveryM = 1;
    rig.scheduler.SetTimers();
    rig.WorkMinutes(1);
    ASSERT_TRUE(rig.state().ExerciseReminderPending);
    rig.settings.EveryM = 0;
    rig.WorkMinutes(30);
    EXPECT_EQ(rig.Shown(), 2u);
    rig.flow.Later("60");
    ASSERT_FALSE(rig.state().ExerciseReminderPending);
    rig.WorkMinutes(1);
    EXPECT_EQ(rig.Shown(), 3u);
}

// A micropause held for a full-screen program keeps the word back, also once the
// foreground looks free and the gate has yet to let the micropause through.
TEST(DailyLimit, NeverOverAHeldBreak) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 479);
    rig.settings.InterruptEvery = 1;
    rig.settings.InterruptFor = 90;  // no rest in a minute of work
    rig.settings.IntelliReset = false;
    rig.settings.FullScreen = true;
    rig.probe.view.coversMonitor = true;
    rig.Start();
    rig.WorkMinutes(1);
    ASSERT_TRUE(rig.state().MicropauseHeld);
    rig.probe.view.coversMonitor = false;
    rig.tHold.SetEnabled(false);  // the gate has not looked again yet
    rig.WorkMinutes(1);
    EXPECT_EQ(rig.Shown(), 0u);
}

// The core's own port ("breaks are quiet now") keeps the word back, as the hours off do.
TEST(DailyLimit, NeverWhileTheBreaksAreQuiet) {
    LimitRig rig;
    rig.StoreActiveMinutes(kToday, 480);
    fakes::FakeDailyLimitView window(rig.clock);
    bool quiet = true;
    bool busy = false;
    int pauses = 0;
    DailyLimit limit(DailyLimitPorts{rig.settings, rig.core.statistics(), window,
                                     [&] { return quiet; }, [&] { return busy; },
                                     [&] { ++pauses; }});
    limit.Check();
    EXPECT_FALSE(window.open);
    quiet = false;
    busy = true;
    limit.Check();
    EXPECT_FALSE(window.open);
    busy = false;
    limit.Check();
    ASSERT_TRUE(window.open);
    limit.StopForToday();
    EXPECT_EQ(pauses, 1);
    EXPECT_FALSE(window.open);
    EXPECT_EQ(limit.NextAt(), 510);
}

// Off hours the minutes the user works still count, but the window waits for the hours
// to begin.
TEST(DailyLimit, NotOutsideTheWorkingHours) {
    LimitRig rig;  // from 9:00
    rig.settings.ScheduleOn = true;
    rig.settings.Hours.fill("10:00-18:00");
    rig.StoreActiveMinutes(kToday, 479);
    rig.Start();
    rig.core.offHours().Check();  // as start-up does
    rig.WorkMinutes(5);
    EXPECT_EQ(rig.ActiveToday(), 484);
    EXPECT_EQ(rig.Shown(), 0u);
    rig.AdvanceMinutes(55);  // 10:00
    rig.WorkMinutes(2);
    ASSERT_EQ(rig.Shown(), 1u);
    EXPECT_GE(rig.window.shownAt[0], 60 * kMsPerMinute);
}

TEST(DailyLimit, SaysTheMinutesInHoursAndMinutes) {
    EXPECT_EQ(HoursAndMinutes(482), "8 h 02 min");
    EXPECT_EQ(HoursAndMinutes(60), "1 h 00 min");
    EXPECT_EQ(HoursAndMinutes(45), "45 min");
    EXPECT_EQ(HoursAndMinutes(1440), "24 h 00 min");
    EXPECT_EQ(HoursAndMinutes(-3), "0 min");
    EXPECT_EQ(DailyLimitText(482, 480),
              "You have been active for 8 h 02 min today. Your daily limit is 8 h 00 min.");
    Settings settings;
    settings.LimitM = 5;
    EXPECT_EQ(DailyLimitMinutes(settings), 30) << "kept within what the store keeps";
    settings.LimitM = 2000;
    EXPECT_EQ(DailyLimitDrawn(settings), std::nullopt);
    settings.LimitOn = true;
    EXPECT_EQ(DailyLimitDrawn(settings), 1440);
}

}  // namespace
}  // namespace rilto
