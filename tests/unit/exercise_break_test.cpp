// The exercise break flow: the cycler across breaks, the steps forward and back, the
// reminder's postponement, the tray's entries and the player's controls.

#include <gtest/gtest.h>

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
    rig.flow.State().CyclerState = Cycler::FindStart;
    EXPECT_EQ(rig.RunBreak(), Names({1, 3, 4, 6, 1, 3}));
}

TEST(ExerciseCycle, ARandomStartIsAnyExerciseAndTheEndWrapsToTheFirst) {
    ExerciseRig rig;
    rig.UseScheme(8);
    rig.settings.xStart = -1;
    rig.flow.State().CyclerState = Cycler::FindStart;
    rig.randomValue = 0.5;  // 0.5 * 8 + 1 = 5: the cycle goes on after it
    EXPECT_EQ(rig.RunBreak().front(), "e6.avi");

    rig.flow.State().CyclerState = Cycler::FindStart;
    rig.randomValue = 0.99;  // rounds to 9, beyond the scheme
    EXPECT_EQ(rig.RunBreak().front(), "e1.avi");
}

TEST(ExerciseCycle, EachExerciseShowsItsSecondsCountingDownToZero) {
    ExerciseRig rig;
    rig.UseScheme(2, {}, 3);
    rig.flow.State().CyclerState = Cycler::FindStart;
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
    rig.flow.State().CyclerState = Cycler::FindStart;
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

TEST(ExerciseSteps, ABreakEndsCleanlyWhenNothingTakesPartAnyMore) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 5);
    rig.Start();
    rig.flow.State().CyclerState = Cycler::FindStart;
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

    rig.flow.State().ExerciseInProgress = true;
    rig.flow.LoadPrevExercise();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.closed, 2);

    // A scheme with nothing that takes part starts no break at all.
    rig.flow.ExerciseNowFromTray();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.breaksPrepared, 1);
}

TEST(ExerciseSteps, DoubleClickEndsTheBreakAtTheNextTickAndTheCountdownRestarts) {
    ExerciseRig rig;
    rig.UseScheme(3, {}, 30);
    rig.settings.EveryM = 50;
    rig.Start();
    rig.AdvanceMinutes(10);
    rig.flow.State().CyclerState = Cycler::FindStart;
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
    rig.flow.State().CyclerState = Cycler::FindStart;
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
    rig.flow.State().CyclerState = Cycler::Continue;
    rig.flow.State().CurrentExercise = 4;
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

TEST(ExerciseTray, ExerciseNowSoundsTheWarningWhenAskedAndReadsTheLengthAfresh) {
    ExerciseRig rig;
    rig.UseScheme(8);
    rig.UseSoundFiles();
    rig.store.SaveSetting(kExercise, "NumAtaTime", "2");
    rig.flow.ExerciseNowFromTray();
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 1u);
    EXPECT_EQ(rig.settings.NumAtaTime, 2);
    EXPECT_EQ(rig.state().MinutesToExercise, 0);
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
