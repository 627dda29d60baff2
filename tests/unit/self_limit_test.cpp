// The limits users set on themselves: micropauses skipped a day (SkipsPerDay), against the
// day's figures as the statistics keep them, and the reminder's "Later" for one exercise
// break (LaterPerBreak). 0 is no limit.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/day_figures.h"
#include "common/texts.h"
#include "fakes/exercise_rig.h"
#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::ExerciseRig;
using fakes::SchedulerRig;

// The rigs' first day; they start at 09:00.
constexpr char kFirstDay[] = "2026-03-28";
constexpr char kSecondDay[] = "2026-03-29";

// Micropauses on demand only, silent, escapable unless a test says otherwise, and today's
// figures already holding some skips, written as the statistics write them.
struct SkipRig : SchedulerRig {
    SkipRig(std::int32_t skipsPerDay, std::int32_t skippedBefore) {
        settings.InterruptFor = 10;
        settings.InterruptEvery = 1000;
        settings.Audible = false;
        settings.DisableEsc = false;
        settings.SkipsPerDay = skipsPerDay;
        DayFigures day;
        day.date = kFirstDay;
        day[DayCount::micropauses] = 4;
        day[DayCount::skipped] = skippedBefore;
        store.SaveSetting(kStatisticsSection, kFirstDay, FormatDayFigures(day));
        Start();
    }
    // A micropause; two seconds in, ESC and a double click on its hint. Whether they
    // ended it; one they did not end runs to its end.
    bool EscapeFromOne() {
        scheduler.RiltoMicropause();
        AdvanceSeconds(2);
        scheduler.EscapePressed();
        scheduler.Skip();
        clock.Advance(100);
        const bool ended = !state().MicropauseRunning;
        AdvanceSeconds(10);
        return ended;
    }
    std::int32_t Today(DayCount what) { return core.statistics().Today()[what]; }
};

TEST(SkipLimit, ZeroIsNoLimit) {
    SkipRig rig(0, 500);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(rig.EscapeFromOne()) << i;
    }
    EXPECT_EQ(rig.Today(DayCount::skipped), 503);
    EXPECT_EQ(rig.log.Count("lblESC caption = " + std::string(kNoSkipsLeftToday)), 0u);
}

TEST(SkipLimit, OnceTodaysSkipsReachItTheMicropauseRunsToItsEndAndSaysSo) {
    SkipRig rig(2, 1);
    // One left: offered, and taken.
    rig.scheduler.RiltoMicropause();
    EXPECT_TRUE(rig.view.Visible(ViewControl::lblESC));
    EXPECT_TRUE(rig.view.CatchingEscape());
    EXPECT_NE(rig.view.Caption(ViewLabel::lblESC), kNoSkipsLeftToday);
    rig.AdvanceSeconds(11);
    EXPECT_TRUE(rig.EscapeFromOne());
    EXPECT_EQ(rig.Today(DayCount::skipped), 2);

    // None left: the hint's place says so, ESC stays the other programs', and neither ESC
    // nor a double click moves the bar.
    rig.scheduler.RiltoMicropause();
    EXPECT_TRUE(rig.view.Visible(ViewControl::lblESC));
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblESC), kNoSkipsLeftToday);
    EXPECT_FALSE(rig.view.CatchingEscape());
    rig.AdvanceSeconds(2);
    const std::int32_t before = rig.progressBar.Value();
    rig.scheduler.EscapePressed();
    rig.scheduler.Skip();
    EXPECT_EQ(rig.progressBar.Value(), before);
    rig.clock.Advance(6'000);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    EXPECT_TRUE(rig.view.FormVisible());
    rig.AdvanceSeconds(2);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_FALSE(rig.view.Visible(ViewControl::lblESC));
    EXPECT_EQ(rig.Today(DayCount::skipped), 2);
    EXPECT_EQ(rig.Today(DayCount::micropauses), 6);
}

// The day turns as the statistics' does, at local midnight: the next micropause may be
// skipped again, with the hint's own words back, and counts on the new day.
TEST(SkipLimit, ANewDayStartsTheCountAgain) {
    SkipRig rig(1, 1);
    EXPECT_FALSE(rig.EscapeFromOne());
    rig.AdvanceMinutes(14 * 60 + 58);  // 23:58
    EXPECT_FALSE(rig.EscapeFromOne());
    rig.AdvanceMinutes(2);  // 00:00 and some seconds
    rig.scheduler.RiltoMicropause();
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblESC), kEscapeHint);
    EXPECT_TRUE(rig.view.CatchingEscape());
    rig.AdvanceSeconds(11);
    EXPECT_TRUE(rig.EscapeFromOne());
    EXPECT_FALSE(rig.EscapeFromOne());
    rig.core.statistics().Flush();
    EXPECT_EQ(ParseDayFigures(kSecondDay, rig.store.GetSetting(kStatisticsSection, kSecondDay,
                                                               ""))[DayCount::skipped],
              1);
    EXPECT_EQ(ParseDayFigures(kFirstDay, rig.store.GetSetting(kStatisticsSection, kFirstDay,
                                                              ""))[DayCount::skipped],
              1);
}

// DisableEsc refuses every skip and shows no hint, whatever the limit leaves.
TEST(SkipLimit, WithEscapingDisabledNothingIsOfferedOrToldWhateverIsLeft) {
    for (const std::int32_t skippedBefore : {0, 1}) {
        SCOPED_TRACE(skippedBefore);
        SkipRig rig(1, skippedBefore);
        rig.settings.DisableEsc = true;
        rig.scheduler.RiltoMicropause();
        EXPECT_FALSE(rig.view.Visible(ViewControl::lblESC));
        EXPECT_FALSE(rig.view.CatchingEscape());
        EXPECT_EQ(rig.view.Caption(ViewLabel::lblESC), "");
        rig.AdvanceSeconds(11);
        EXPECT_FALSE(rig.EscapeFromOne());
        EXPECT_EQ(rig.Today(DayCount::skipped), skippedBefore);
    }
}

// A higher limit applied while none are left lets the next micropause be skipped.
TEST(SkipLimit, ARaisedLimitTakesEffectAtTheNextSkip) {
    SkipRig rig(1, 1);
    EXPECT_FALSE(rig.EscapeFromOne());
    rig.settings.SkipsPerDay = 2;
    EXPECT_TRUE(rig.EscapeFromOne());
    EXPECT_FALSE(rig.EscapeFromOne());
}

// The reminder comes every 5 minutes; breaks of two short exercises.
struct LaterRig : ExerciseRig {
    explicit LaterRig(std::int32_t laterPerBreak) {
        settings.EveryM = 5;
        settings.InterruptEvery = 1000;
        settings.LaterPerBreak = laterPerBreak;
        UseScheme(2, {}, 3);
        settings.NumAtaTime = 2;
        Start();
    }
    // Whether the reminder shows within `minutes`.
    bool ReminderWithin(int minutes) {
        for (int m = 0; m < minutes && !reminder.shown; ++m) {
            AdvanceMinutes(1);
        }
        return reminder.shown;
    }
    std::int32_t Postponed() { return core.statistics().Today()[DayCount::postponed]; }
};

TEST(LaterLimit, AfterThatManyLatersForOneBreakLaterIsGreyedAndRefused) {
    LaterRig rig(2);
    ASSERT_TRUE(rig.ReminderWithin(5));
    EXPECT_TRUE(rig.reminder.laterEnabled);
    rig.flow.Later("1");
    EXPECT_FALSE(rig.reminder.shown);
    ASSERT_TRUE(rig.ReminderWithin(2));
    EXPECT_TRUE(rig.reminder.laterEnabled);
    rig.flow.Later("1");
    ASSERT_TRUE(rig.ReminderWithin(2));
    EXPECT_FALSE(rig.reminder.laterEnabled);

    // Reached however it is pressed: the reminder stays, and nothing is stored or counted.
    rig.flow.Later("7");
    EXPECT_TRUE(rig.reminder.shown);
    EXPECT_TRUE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.store.GetSetting(kExercise, "ProcrastinateM", ""), "1");
    EXPECT_EQ(rig.Postponed(), 2);

    // The break taken, the next reminder offers "Later" again.
    ASSERT_TRUE(rig.flow.ExerciseNowFromReminder());
    rig.RunToEnd();
    ASSERT_TRUE(rig.ReminderWithin(6));
    EXPECT_TRUE(rig.reminder.laterEnabled);
}

TEST(LaterLimit, ZeroIsNoLimit) {
    LaterRig rig(0);
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(rig.ReminderWithin(5)) << i;
        EXPECT_TRUE(rig.reminder.laterEnabled) << i;
        rig.flow.Later("1");
    }
    EXPECT_EQ(rig.Postponed(), 12);
}

// A break from the tray is a new break too, reminder or not.
TEST(LaterLimit, ABreakFromTheTrayStartsTheCountAgain) {
    LaterRig rig(1);
    ASSERT_TRUE(rig.ReminderWithin(5));
    rig.flow.Later("2");
    rig.RunBreak();
    ASSERT_TRUE(rig.ReminderWithin(6));
    EXPECT_TRUE(rig.reminder.laterEnabled);
}

// Time away counts as the break, also when no reminder is open as it begins.
TEST(LaterLimit, TimeAwayIsTheBreakAndStartsTheCountAgain) {
    LaterRig rig(1);
    ASSERT_TRUE(rig.ReminderWithin(5));
    rig.flow.Later("3");
    ASSERT_FALSE(rig.reminder.shown);
    // Nobody has typed since the start, minutes ago.
    rig.settings.AwayM = 3;
    rig.AdvanceSeconds(rig.settings.InterruptFor + 1);
    ASSERT_TRUE(rig.state().Away);
    rig.hook.Input(kKeyboard);
    rig.settings.AwayM = fakes::kNeverAway;
    rig.AdvanceSeconds(rig.settings.InterruptFor + 1);
    ASSERT_FALSE(rig.state().Away);
    ASSERT_TRUE(rig.ReminderWithin(7));
    EXPECT_TRUE(rig.reminder.laterEnabled);
}

}  // namespace
}  // namespace rilto
