// Breaks held while the user presents, plays or shares a screen: what holds them, and
// that a held break comes within one look of the hold's end, or after MaxM minutes.

#include <gtest/gtest.h>

#include "fakes/exercise_rig.h"
#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;

// Due at the third minute, behind a program that fills the screen: held at the fourth.
void HoldAMicropause(HoldRig& rig) {
    rig.settings.InterruptEvery = 3;
    rig.Start();
    rig.FullScreen(true);
    rig.AdvanceMinutes(4);
    ASSERT_TRUE(rig.state().MicropauseHeld);
}

TEST(HoldReasons, WhatInTheForegroundHoldsBreaks) {
    Settings s;
    s.Programs = "powerpnt.exe; Zoom.EXE ;;C:\\Tools\\obs64.exe";
    EXPECT_EQ(HoldPrograms(s.Programs),
              (std::vector<std::string>{"powerpnt.exe", "Zoom.EXE", "obs64.exe"}));
    EXPECT_EQ(HoldPrograms("game.exe;obs64.exe"),
              (std::vector<std::string>{"game.exe", "obs64.exe"}));
    ForegroundView view;
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::None);
    view.coversMonitor = true;
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::FullScreen);
    view.coversMonitor = false;
    for (const int state : {1, 2, 3, 4, 5}) {
        view.notificationState = state;
        EXPECT_EQ(ReasonToHold(view, s) == HoldReason::Notifications, state >= 2 && state <= 4)
            << state;  // 5, "quiet time", only marks a new user's first hour
    }
    view.notificationState = 0;
    view.focusAssist = true;
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::FocusAssist);
    s.FullScreen = false;  // none of those holds now; the list of programs still does
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::None);
    view.program = "C:\\Program Files\\Zoom\\ZOOM.exe";
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::Program);
    view.program = "OBS64.EXE";
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::Program);
    view.program = "winword.exe";
    EXPECT_EQ(ReasonToHold(view, s), HoldReason::None);
}

TEST(HoldGate, AHeldMicropauseComesWithinTwoSecondsOfTheHoldsEnd) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.AudiblePre = true;
    rig.UseSoundFiles();
    rig.Start();
    rig.FullScreen(true);
    rig.AdvanceMinutes(10);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    EXPECT_EQ(rig.log.Count(fakes::kPreWarningPlayed), 0u);  // no sound into a presentation
    EXPECT_TRUE(rig.state().MicropauseHeld);

    rig.clock.Advance(30 * kMsPerSecond);
    const std::uint64_t end = rig.clock.Elapsed();
    rig.FullScreen(false);
    rig.clock.Advance(2 * kMsPerSecond);
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_LE(rig.log.TimesOf("show form")[0] - end, 2 * kMsPerSecond);
    EXPECT_FALSE(rig.tHold.Enabled());  // nothing waits: no more looks

    // Asked for, a micropause is never held.
    rig.AdvanceSeconds(30);
    rig.FullScreen(true);
    rig.scheduler.RiltoMicropause();
    EXPECT_EQ(rig.log.Count("show form"), 2u);
}

TEST(HoldGate, AHoldKeepsABreakAtMostMaxMMinutesAndARestDoesAwayWithIt) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.MaxM = 20;
    rig.Start();
    rig.FullScreen(true);
    rig.AdvanceMinutes(24);
    // Due at 3:00, held, then let through 20 minutes later: a game cannot switch it off.
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_GE(rig.log.TimesOf("show form")[0], 23 * kMsPerMinute);
    EXPECT_LE(rig.log.TimesOf("show form")[0], 23 * kMsPerMinute + 2 * kMsPerSecond);

    // A natural micropause during a hold is a rest like any: the held one is done with.
    HoldRig resting;
    resting.settings.InterruptEvery = 3;
    resting.settings.InterruptFor = 20;
    resting.settings.IntelliReset = true;
    resting.hook.Input(kKeyboard);
    resting.Start();
    resting.FullScreen(true);
    for (int s = 0; s < 185; s += 10) {  // typing until 3:05, past the micropause due
        resting.hook.Input(kKeyboard);
        resting.AdvanceSeconds(10);
    }
    ASSERT_TRUE(resting.state().MicropauseHeld);
    resting.AdvanceSeconds(45);  // hands off for two poll periods
    EXPECT_FALSE(resting.state().MicropauseHeld);
    resting.FullScreen(false);
    resting.AdvanceSeconds(10);
    EXPECT_EQ(resting.log.Count("show form"), 0u);
}

// "Exercise Now!" with no exercise taking part starts the countdowns afresh, and nothing
// else: the held micropause still comes when the hold ends. A break that does run is the
// rest the held one stood for.
TEST(HoldGate, AHeldMicropauseOutlivesAnExerciseBreakThatCannotStart) {
    HoldRig rig;
    ASSERT_NO_FATAL_FAILURE(HoldAMicropause(rig));
    rig.core.ExerciseNow();  // the scheme in use has no exercise
    rig.core.RunScheme("Empty");
    EXPECT_EQ(rig.state().MinutesToMicropause, 3);
    rig.AdvanceMinutes(1);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.FullScreen(false);
    rig.clock.Advance(2 * kMsPerSecond);
    EXPECT_EQ(rig.log.Count("show form"), 1u);

    fakes::ExerciseRig exercising;
    exercising.settings.IntelliReset = false;
    exercising.settings.InterruptEvery = 3;
    exercising.UseScheme(2, {}, 5);
    exercising.Start();
    exercising.probe.view.coversMonitor = true;
    exercising.AdvanceMinutes(4);
    ASSERT_TRUE(exercising.state().MicropauseHeld);
    ASSERT_FALSE(exercising.RunBreak().empty());
    EXPECT_FALSE(exercising.state().MicropauseHeld);
    exercising.probe.view.coversMonitor = false;
    exercising.AdvanceSeconds(10);
    EXPECT_EQ(exercising.log.Count("show form"), 0u);
}

// Asked for during a hold, a micropause is the one held: nothing waits any more, and the
// countdown starts afresh from it.
TEST(HoldGate, AMicropauseAskedForDuringAHoldIsTheOneHeld) {
    HoldRig rig;
    ASSERT_NO_FATAL_FAILURE(HoldAMicropause(rig));
    rig.core.MicropauseNow();
    EXPECT_FALSE(rig.state().MicropauseHeld);
    EXPECT_FALSE(rig.tHold.Enabled()) << "no more looks";
    rig.AdvanceSeconds(30);
    rig.FullScreen(false);
    rig.AdvanceMinutes(2);
    EXPECT_EQ(rig.log.Count("show form"), 1u);
    rig.AdvanceMinutes(1);
    EXPECT_EQ(rig.log.Count("show form"), 2u) << "three minutes after the one asked for";
}

// A hold that ends during a pause lets its break through at the pause's end, not into
// the pause and not never.
TEST(HoldGate, ABreakHeldWhenAPauseBeginsComesAtThePausesEnd) {
    HoldRig rig;
    ASSERT_NO_FATAL_FAILURE(HoldAMicropause(rig));
    rig.core.PauseFor(30);  // until 9:34
    rig.FullScreen(false);
    rig.AdvanceMinutes(29);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    EXPECT_FALSE(rig.tHold.Enabled()) << "the hold is over: no more looks";
    rig.AdvanceMinutes(2);
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_GE(rig.log.TimesOf("show form")[0], 34 * kMsPerMinute);
    EXPECT_LE(rig.log.TimesOf("show form")[0], 34 * kMsPerMinute + kMsPerSecond);

    // A hold that outlasts the pause keeps its break on.
    HoldRig still;
    still.settings.InterruptEvery = 3;
    still.settings.MaxM = 60;
    still.Start();
    still.FullScreen(true);
    still.AdvanceMinutes(4);
    still.core.PauseFor(30);
    still.AdvanceMinutes(35);
    EXPECT_EQ(still.log.Count("show form"), 0u);
    EXPECT_TRUE(still.state().MicropauseHeld);
    still.FullScreen(false);
    still.AdvanceSeconds(2);
    EXPECT_EQ(still.log.Count("show form"), 1u);
}

// One hold keeps whatever falls due while it lasts.
TEST(HoldGate, AReminderDueDuringAHoldThatKeepsAMicropauseIsHeldToo) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.EveryM = 5;
    rig.Start();
    rig.FullScreen(true);
    rig.AdvanceMinutes(6);
    EXPECT_TRUE(rig.state().MicropauseHeld);
    EXPECT_TRUE(rig.state().ReminderHeld);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    rig.FullScreen(false);
    rig.AdvanceSeconds(2);
    EXPECT_EQ(rig.log.Count("reminder"), 1u);
}

TEST(HoldGate, AHeldReminderSoundsAndShowsWhenTheHoldEndsAndLooksAreFew) {
    HoldRig rig;
    rig.settings.InterruptEvery = 999;
    rig.settings.EveryM = 5;
    rig.UseSoundFiles();
    rig.Start();
    rig.AdvanceMinutes(4);
    EXPECT_EQ(rig.probe.looks, 0);  // nothing due, nothing looked at
    rig.FullScreen(true);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 0u);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 0 minutes");
    const int looks = rig.probe.looks;
    EXPECT_LE(looks, 1 + 2 * 60 / 2 + 1);  // the due one, then one every 2 seconds

    rig.probe.view.program = "game.exe";
    rig.FullScreen(false);
    rig.settings.Programs = "GAME.EXE";  // the program list holds too
    rig.AdvanceMinutes(1);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    rig.probe.view.program.clear();
    rig.clock.Advance(2 * kMsPerSecond);
    EXPECT_EQ(rig.log.Count("reminder"), 1u);
    EXPECT_EQ(rig.log.Count(fakes::kExerciseWarningPlayed), 1u);
}

}  // namespace
}  // namespace rilto
