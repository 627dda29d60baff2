// The exercise break flow: the cycler across breaks, the steps forward and back, the
// reminder's postponement, the tray's entries and the player's controls.

#include <gtest/gtest.h>

#include "engine/statistics_book.h"
#include "fakes/exercise_rig.h"

namespace rilto {
namespace {

using fakes::ExerciseRig;
using Files = std::vector<std::string>;

Files Names(std::initializer_list<int> indices) {
    Files out;
    for (int i : indices) {
        out.push_back(i == 0 ? kTitleFile : "e" + std::to_string(i) + ".avi");
    }
    return out;
}

TEST(ExerciseCycle, FirstBreakShowsTheTitleThenBreaksWorkThroughTheScheme) {
    ExerciseRig rig;
    rig.UseScheme(8);
    rig.Start();
    EXPECT_EQ(rig.RunBreak(), Names({0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(rig.RunBreak(), Names({6, 7, 8, 1, 2, 3}));
    // Each break ends with the player closed and both countdowns restarted in full.
    EXPECT_EQ(rig.player.closed, 2);
    EXPECT_EQ(rig.state().MinutesToExercise, rig.settings.EveryM);
    EXPECT_TRUE(rig.tMinutes.Enabled());
    EXPECT_EQ(rig.tSeconds.Interval(), 15'000u);
}

TEST(ExerciseCycle, SkipsExercisesThatTakeNoPartAndWraps) {
    ExerciseRig rig;
    rig.UseScheme(6, {2, 5});
    rig.PassTitle();
    EXPECT_EQ(rig.RunBreak(), Names({1, 3, 4, 6, 1, 3}));
}

TEST(ExerciseCycle, ARandomStartIsAnyExerciseAndTheEndWrapsToTheFirst) {
    struct Case {
        double random;
        const char* first;
    };
    // 0.5 * 8 + 1 = 5: the cycle goes on after it; 0.99 rounds to 9, beyond the scheme.
    for (const Case& c : {Case{0.5, "e6.avi"}, Case{0.99, "e1.avi"}}) {
        ExerciseRig rig;
        rig.UseScheme(8);
        rig.settings.xStart = -1;
        rig.PassTitle();
        rig.randomValue = c.random;
        EXPECT_EQ(rig.RunBreak().front(), c.first) << c.random;
    }
}

TEST(ExerciseCycle, EachExerciseShowsItsSecondsCountingDownToZero) {
    ExerciseRig rig;
    rig.UseScheme(2, {}, 3);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "1");
    rig.flow.ExerciseNowFromTray();
    EXPECT_TRUE(rig.player.forward.empty());  // the first tick shows the first exercise
    rig.AdvanceSeconds(1);
    EXPECT_EQ(rig.player.caption, "Exercise 1 (3)");
    rig.AdvanceSeconds(3);
    EXPECT_EQ(rig.player.caption, "Exercise 1 (0)");
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.AdvanceSeconds(1);  // s seconds last s + 1 ticks
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
}

TEST(ExerciseSteps, PreviousThenNextReturnsWithoutShorteningTheBreak) {
    ExerciseRig rig;
    rig.UseScheme(4, {4}, 5);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "3");
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    ASSERT_EQ(rig.player.forward, Names({1}));

    rig.flow.LoadPrevExercise();  // from the first to the last that takes part
    EXPECT_EQ(rig.player.backward, Names({3}));
    EXPECT_EQ(rig.player.caption, "Exercise 3 (5)");
    rig.flow.SkipExercise();
    rig.AdvanceSeconds(1);
    EXPECT_EQ(rig.player.forward, Names({1, 1}));
    rig.RunToEnd();
    EXPECT_EQ(rig.player.forward, Names({1, 1, 2, 3}));
}

TEST(ExerciseSteps, PreviousStepsBackOneAtATimeToTheFirstAndThenWrapsToTheLast) {
    ExerciseRig rig;
    rig.UseScheme(4, {}, 5);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "4");
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    rig.flow.SkipExercise();
    rig.AdvanceSeconds(1);
    rig.flow.SkipExercise();
    rig.AdvanceSeconds(1);
    ASSERT_EQ(rig.player.forward, Names({1, 2, 3}));

    rig.flow.LoadPrevExercise();
    rig.flow.LoadPrevExercise();
    rig.flow.LoadPrevExercise();
    EXPECT_EQ(rig.player.backward, Names({2, 1, 4}));
    EXPECT_EQ(rig.player.caption, "Exercise 4 (5)");
}

TEST(ExerciseSteps, EachStepForwardClosesTheVideoBeforeTheNextIsShown) {
    ExerciseRig rig;
    rig.UseScheme(4, {}, 2);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "3");
    const int before = rig.player.videoClosed;
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    EXPECT_EQ(rig.player.videoClosed, before + 1);
    rig.RunToEnd();
    EXPECT_EQ(rig.player.forward, Names({1, 2, 3}));
    EXPECT_EQ(rig.player.videoClosed, before + 3);
    EXPECT_EQ(rig.player.closed, 2);  // the title's break and this one
}

TEST(ExerciseSteps, AnExerciseSteppedToGetsItsFirstSecondInFull) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 5);
    rig.PassTitle();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    ASSERT_EQ(rig.player.caption, "Exercise 1 (5)");
    rig.clock.Advance(500);
    rig.flow.LoadPrevExercise();
    ASSERT_EQ(rig.player.caption, "Exercise 3 (5)");
    rig.clock.Advance(600);
    EXPECT_EQ(rig.player.caption, "Exercise 3 (5)");
    rig.clock.Advance(400);
    EXPECT_EQ(rig.player.caption, "Exercise 3 (4)");
}

TEST(ExerciseSteps, ABreakEndsCleanlyWhenNothingTakesPartAnyMore) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 5);
    rig.Start();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    // The scheme page switched everything off while the break ran.
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 0;
    }
    rig.flow.SkipExercise();
    rig.AdvanceSeconds(1);
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.closed, 1);
    EXPECT_EQ(rig.state().MinutesToExercise, rig.settings.EveryM);

    // Stepping back finds nothing either: the break ends, and no seconds are left over
    // to count down at the start of the next.
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 1;
    }
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 0;
    }
    rig.flow.LoadPrevExercise();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.closed, 2);
    EXPECT_LE(rig.flow.State().ExerciseSecondsLeft, 0);
    rig.table.Exercises[1].DoIt = 1;
    const std::size_t shown = rig.player.forward.size();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    EXPECT_EQ(rig.player.forward.size(), shown + 1);  // the player shows at the first tick
    rig.RunToEnd();
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 0;
    }

    // A scheme with nothing that takes part starts no break at all.
    const int prepared = rig.player.breaksPrepared;
    rig.flow.ExerciseNowFromTray();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.breaksPrepared, prepared);
}

TEST(ExerciseSteps, OnlyTheBreakEndedEarlyCountsAsEndedEarly) {
    ExerciseRig rig;
    rig.UseScheme(2, {}, 3);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "2");
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    rig.flow.EndBreak();
    rig.RunToEnd();
    rig.RunBreak();
    const DayFigures today = rig.core.statistics().Today();
    EXPECT_EQ(today[DayCount::endedEarly], 1);
    EXPECT_EQ(today[DayCount::exercises], 2);  // the title's break and the last
}

TEST(ExerciseSteps, AStepBackThatFindsNothingLeavesTheCycleWhereItStood) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 5);
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "2");
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    ASSERT_EQ(rig.player.forward, Names({1}));
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 0;
    }
    rig.flow.LoadPrevExercise();
    ASSERT_FALSE(rig.flow.ExerciseInProgress());
    for (auto& e : rig.table.Exercises) {
        e.DoIt = 1;
    }
    EXPECT_EQ(rig.RunBreak(), Names({2, 3}));
}

TEST(ExerciseSteps, DoubleClickEndsTheBreakAtTheNextTickAndTheCountdownRestarts) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 30);
    rig.settings.EveryM = 50;
    rig.Start();
    rig.AdvanceMinutes(10);
    rig.PassTitle();
    rig.flow.ExerciseNowFromTray();
    EXPECT_FALSE(rig.tMinutes.Enabled());
    rig.AdvanceSeconds(5);
    rig.flow.EndBreak();
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.AdvanceSeconds(1);
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.state().MinutesToExercise, 50);
    EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblExercise).back().what,
              "Next Exercise Break: 49 minutes");
}

TEST(ExerciseSteps, StopAsksAndPauseHoldsTheCountdown) {
    ExerciseRig rig;
    rig.UseScheme(2, {}, 10);
    rig.PassTitle();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(1);
    rig.flow.ToggleCountdown();  // pause
    rig.AdvanceSeconds(5);
    EXPECT_EQ(rig.player.caption, "Exercise 1 (10)");
    // No resumes the countdown even though it was paused before.
    rig.flow.StopRequested();
    EXPECT_EQ(rig.player.asked, 1);
    rig.AdvanceSeconds(2);
    EXPECT_EQ(rig.player.caption, "Exercise 1 (8)");
    rig.player.answerYes = true;
    rig.flow.StopRequested();
    rig.AdvanceSeconds(1);
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    // Between breaks the buttons leave the idle polling alone.
    rig.flow.ToggleCountdown();
    rig.flow.StopRequested();
    EXPECT_TRUE(rig.tSeconds.Enabled());
    EXPECT_EQ(rig.player.asked, 2);
}

TEST(ExerciseReminderTest, OpensWhenDueAndPostponesByTheBoxUpToTwoHours) {
    ExerciseRig rig;
    rig.UseScheme(3);
    rig.settings.EveryM = 2;
    rig.settings.AudibleX = false;
    rig.store.SaveSetting(kExercise, "ProcrastinateM", "10");
    rig.Start();
    rig.AdvanceMinutes(2);
    ASSERT_TRUE(rig.reminder.shown);
    EXPECT_EQ(rig.reminder.text, "10");
    EXPECT_TRUE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.state().MinutesToExercise, 10);

    rig.flow.Later("200");
    EXPECT_FALSE(rig.reminder.shown);
    EXPECT_FALSE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.store.GetSetting(kExercise, "ProcrastinateM", ""), "120");
    EXPECT_EQ(rig.state().MinutesToExercise, 120);

    rig.flow.Later("soon");
    EXPECT_EQ(rig.store.GetSetting(kExercise, "ProcrastinateM", ""), "5");
    EXPECT_EQ(rig.state().MinutesToExercise, 5);

    rig.AdvanceMinutes(5);
    ASSERT_TRUE(rig.reminder.shown);
    EXPECT_EQ(rig.reminder.text, "5");
    // 0 is stored as it is; the reminder stays away until the countdown is set anew.
    rig.flow.Later("0");
    EXPECT_EQ(rig.store.GetSetting(kExercise, "ProcrastinateM", ""), "0");
    rig.AdvanceMinutes(30);
    EXPECT_FALSE(rig.reminder.shown);
}

TEST(ExerciseReminderTest, TheCloseBoxPostponesByTheStoredMinutesAndExerciseNowStarts) {
    ExerciseRig rig;
    rig.UseScheme(3);
    rig.settings.EveryM = 2;
    rig.UseSoundFiles();
    rig.Start();
    rig.AdvanceMinutes(2);
    ASSERT_TRUE(rig.reminder.shown);
    rig.flow.ReminderClosed();
    EXPECT_FALSE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.state().MinutesToExercise, 5);
    EXPECT_FALSE(rig.store.Has(kExercise, "ProcrastinateM"));

    rig.AdvanceMinutes(5);
    ASSERT_TRUE(rig.reminder.shown);
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 2u);  // as each reminder opened
    EXPECT_TRUE(rig.flow.ExerciseNowFromReminder());
    EXPECT_FALSE(rig.reminder.shown);
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblExercise).back().what, kExerciseInProgress);
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 2u);
}

// A break started from the tray while the reminder waits takes its place: the reminder
// closes, the countdown runs again after the break, and nothing restarts the break.
TEST(ExerciseReminderTest, ABreakStartedAnotherWayClosesTheReminder) {
    for (const bool schemeItem : {false, true}) {
        ExerciseRig rig;
        rig.UseScheme(2, {}, 5);
        rig.settings.EveryM = 3;
        rig.Start();
        rig.AdvanceMinutes(3);
        ASSERT_TRUE(rig.reminder.shown);
        if (schemeItem) {
            rig.flow.RunScheme("Test");
        } else {
            rig.flow.ExerciseNowFromTray();
        }
        EXPECT_FALSE(rig.reminder.shown) << schemeItem;
        EXPECT_FALSE(rig.state().ExerciseReminderPending) << schemeItem;
        rig.AdvanceSeconds(3);
        const std::size_t shown = rig.player.forward.size();
        EXPECT_TRUE(rig.flow.ExerciseNowFromReminder());  // a late click: nothing restarts
        rig.AdvanceSeconds(1);
        EXPECT_EQ(rig.player.forward.size(), shown) << schemeItem;
        rig.RunToEnd();
        rig.AdvanceMinutes(3);
        EXPECT_TRUE(rig.reminder.shown) << schemeItem;
    }
}

TEST(ExerciseReminderTest, NeitherAMicropauseNorABreakCutsIntoTheOther) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 30);
    rig.Start();
    rig.scheduler.RiltoMicropause();
    EXPECT_FALSE(rig.flow.ExerciseNowFromReminder());
    rig.flow.ExerciseNowFromTray();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    rig.AdvanceSeconds(20);
    ASSERT_FALSE(rig.state().MicropauseRunning);

    rig.flow.ExerciseNowFromTray();
    rig.scheduler.RiltoMicropause();
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.tSeconds.Interval(), 1000u);
}

TEST(ExerciseTray, ASchemeItemRunsEveryExerciseOfThatSchemeOnce) {
    ExerciseRig rig;
    rig.UseScheme(5, {3});
    rig.PassTitle();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "3");
    rig.RunBreak();  // the cycle stands at exercise 4
    rig.store.DeleteSetting(kExercise, "NumAtaTime");
    rig.player.forward.clear();
    rig.flow.RunScheme("Test");
    rig.RunToEnd();
    EXPECT_EQ(rig.player.forward, Names({1, 2, 4, 5}));
    // Not stored; the next break takes its length from the store again.
    EXPECT_EQ(rig.settings.NumAtaTime, 6);
    EXPECT_FALSE(rig.store.Has(kExercise, "Scheme"));
}

TEST(ExerciseTray, BeforeAnyBreakTheSchemeItemStartsWithTheTitle) {
    ExerciseRig rig;
    rig.UseScheme(4);
    rig.flow.RunScheme("Test");
    rig.RunToEnd();
    EXPECT_EQ(rig.player.forward, Names({0, 1, 2, 3}));
}

TEST(ExerciseTray, ASchemeWithNothingTakingPartBecomesCurrentButStartsNothing) {
    ExerciseRig rig;
    rig.UseScheme(2, {1, 2});
    rig.settings.Scheme = "Other";
    rig.flow.RunScheme("Test");
    EXPECT_EQ(rig.settings.Scheme, "Test");
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.breaksPrepared, 0);
}

TEST(ExerciseTray, ASchemeWithOneExerciseTakingPartRunsThatOne) {
    ExerciseRig rig;
    rig.UseScheme(3, {1, 3});
    rig.PassTitle();
    rig.flow.RunScheme("Test");
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.RunToEnd();
    EXPECT_EQ(rig.player.forward, Names({2}));
}

TEST(ExerciseTray, ExerciseNowSoundsTheWarningWhenAskedAndReadsTheLengthAfresh) {
    ExerciseRig rig;
    rig.UseScheme(8);
    rig.UseSoundFiles();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "2");
    rig.flow.ExerciseNowFromTray();
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 1u);
    EXPECT_EQ(rig.settings.NumAtaTime, 2);
    EXPECT_EQ(rig.state().MinutesToExercise, 0);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: In Progress");
    rig.RunToEnd();
    rig.settings.AudibleX = false;
    rig.flow.ExerciseNowFromTray();
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 1u);
}

TEST(Postponement, ReadsWholeMinutesUpToTwoHours) {
    EXPECT_EQ(PostponeMinutes("200"), 120);
    EXPECT_EQ(PostponeMinutes(" 45 "), 45);
    EXPECT_EQ(PostponeMinutes("0"), 0);
    EXPECT_EQ(PostponeMinutes("-3"), -3);
    EXPECT_EQ(PostponeMinutes("7.5"), 5);
    EXPECT_EQ(PostponeMinutes(""), 5);
    EXPECT_EQ(PostponeMinutes("99999999999999999999"), 120);
}

}  // namespace
}  // namespace rilto
