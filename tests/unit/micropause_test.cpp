#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/scheduler.h"
#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::kMsPerSecond;
using fakes::kStartWarningPlayed;
using fakes::SchedulerRig;

// ---------------------------------------------------------------- start

TEST(MicropauseStart, SoundPlaysBeforeTheScreenShowsAndTopmostComesAfter) {
    for (const bool blank : {true, false}) {
        SchedulerRig rig;
        rig.UseSoundFiles();
        rig.settings.Blank = blank;
        rig.Start();
        rig.log.Clear();
        rig.scheduler.RiltoMicropause();
        const auto& log = rig.log;
        const int sound = log.IndexOf(kStartWarningPlayed);
        const int shown = log.IndexOf("show form");
        ASSERT_GE(sound, 0);
        EXPECT_LT(sound, log.IndexOf("repaint"));
        EXPECT_LT(sound, shown);
        // The first 100 ms step is counted from the end of the sound.
        EXPECT_LT(sound, log.IndexOf("tSeconds on"));
        EXPECT_LT(shown, log.IndexOf("topmost"));
        EXPECT_TRUE(rig.view.FormVisible());
        EXPECT_TRUE(rig.view.Topmost());
        EXPECT_TRUE(rig.view.Visible(ViewControl::picBlack));
        if (blank) {
            // Maximised with the panel hidden, which shows again once the form is up.
            EXPECT_LT(sound, log.IndexOf("hide picBlack"));
            EXPECT_LT(log.IndexOf("hide picBlack"), log.IndexOf("maximised"));
            EXPECT_LT(log.IndexOf("maximised"), shown);
            EXPECT_LT(shown, log.IndexOf("show picBlack"));
            EXPECT_EQ(rig.view.State(), WindowState::Maximised);
        } else {
            EXPECT_EQ(log.Count("maximised"), 0u);
            EXPECT_EQ(log.Count("hide picBlack"), 0u);
            EXPECT_LT(sound, log.IndexOf("normal"));
            EXPECT_LT(log.IndexOf("normal"), shown);
            EXPECT_EQ(rig.view.State(), WindowState::Normal);
        }
    }
}

TEST(MicropauseStart, ShowsTheBarAndTheSkipHintInsteadOfOk) {
    for (const bool disableEsc : {false, true}) {
        SchedulerRig rig;
        rig.settings.DisableEsc = disableEsc;
        rig.Start();
        rig.scheduler.RiltoMicropause();
        EXPECT_FALSE(rig.view.Visible(ViewControl::cmdOK));
        EXPECT_TRUE(rig.view.Visible(ViewControl::picPB));
        EXPECT_EQ(rig.view.Visible(ViewControl::lblESC), !disableEsc);
    }
}

TEST(MicropauseStart, SilentWithoutAudible) {
    SchedulerRig rig;
    rig.UseSoundFiles();
    rig.settings.Audible = false;
    rig.settings.InterruptFor = 3;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(3);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.log.Count(kStartWarningPlayed), 0u);
    EXPECT_EQ(rig.log.Count("beep"), 0u);
}

TEST(MicropauseStart, OnDemandRestartsTheCountdown) {
    SchedulerRig rig;
    rig.settings.InterruptEvery = 10;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.AdvanceSeconds(6 * 60);
    ASSERT_EQ(rig.state().MinutesToMicropause, 4);
    rig.scheduler.RiltoMicropause();  // "Micropause Now!"
    EXPECT_EQ(rig.state().MinutesToMicropause, 10);
    EXPECT_TRUE(rig.state().MicropauseRunning);
}

// ---------------------------------------------------------------- running and ending

TEST(MicropauseRun, FifteenSecondsAreMax150AndEndAfter149Steps) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.AdvanceSeconds(30);
    rig.scheduler.RiltoMicropause();
    EXPECT_EQ(rig.progressBar.Max(), 150);
    EXPECT_EQ(rig.progressBar.Value(), 1);
    EXPECT_EQ(rig.tSeconds.Interval(), 100u);

    rig.clock.Advance(148 * 100);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.progressBar.Value(), 149);
    EXPECT_TRUE(rig.view.FormVisible());

    rig.clock.Advance(100);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.log.TimesOf("hide form"), std::vector<std::uint64_t>{30'000 + 14'900});
    // Back to polling every InterruptFor seconds, from now.
    EXPECT_EQ(rig.tSeconds.Interval(), 15000u);
    EXPECT_EQ(rig.tSeconds.Due(), rig.clock.Elapsed() + 15000);
}

TEST(MicropauseRun, EndGoesToTheBottomHidesAndTellsTheTime) {
    SchedulerRig rig({}, LocalTime{13, 59});
    rig.settings.InterruptFor = 20;
    rig.AdvanceSeconds(30);
    rig.Start();  // at 13:59:30, so no minute tick comes in between
    rig.AdvanceSeconds(20);
    rig.scheduler.RiltoMicropause();
    rig.log.Clear();
    rig.AdvanceSeconds(20);
    EXPECT_EQ(rig.log.Texts(),
              (std::vector<std::string>{"tSeconds off", "bottom", "hide form", "hide picPB",
                                        "show cmdOK", "hide lblESC", "release ESC",
                                        "tSeconds interval 20000", "tSeconds on",
                                        "lblrilto = Last rilto micropause: 14:00", "beep"}));
    EXPECT_FALSE(rig.view.Topmost());
    EXPECT_FALSE(rig.view.FormVisible());
}

// The quiet after a micropause is the same rest: no natural micropause of its own, and
// the first input after it ends the rest.
TEST(MicropauseRun, RestingOnAfterItIsNoNaturalMicropause) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 10;
    rig.settings.IntelliReset = false;
    rig.Start();
    for (int s = 0; s < 30; s += 5) {
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(5);
    }
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(40);
    EXPECT_EQ(rig.core.statistics().Today()[DayCount::natural], 0);
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(30);
    EXPECT_EQ(rig.core.statistics().Today()[DayCount::natural], 1);
}

TEST(MicropauseRun, InputDuringAMicropauseIsNotWatched) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    const int polls = rig.hook.Polls();
    rig.AdvanceSeconds(5);
    rig.hook.Input(kKeyboard);
    rig.clock.AdvanceTo(14'900);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.hook.Polls(), polls);
}

TEST(MicropauseRun, OutOfRangeLengthsStillRunSafely) {
    struct Case {
        std::int32_t interruptFor;
        std::int32_t max;
        std::uint32_t pollMs;
    };
    for (const Case c :
         {Case{0, 10, 1000}, Case{-5, 10, 1000},
          Case{std::numeric_limits<std::int32_t>::max(), 21'474'830, 2'147'483'000}}) {
        SchedulerRig rig;
        rig.settings.InterruptFor = c.interruptFor;
        rig.Start();
        EXPECT_EQ(rig.tSeconds.Interval(), c.pollMs) << c.interruptFor;
        rig.scheduler.RiltoMicropause();
        EXPECT_EQ(rig.progressBar.Max(), c.max) << c.interruptFor;
    }
}

// ---------------------------------------------------------------- skip

TEST(MicropauseSkip, EndsAtTheNextStepExactlyLikeACompletedOne) {
    SchedulerRig completed;
    SchedulerRig skipped;
    for (SchedulerRig* rig : {&completed, &skipped}) {
        rig->settings.InterruptFor = 15;
        rig->Start();
        rig->AdvanceSeconds(60);
        rig->scheduler.RiltoMicropause();
    }
    completed.clock.Advance(14'800);
    skipped.AdvanceSeconds(3);
    skipped.scheduler.Skip();
    EXPECT_EQ(skipped.progressBar.Value(), 149);
    for (SchedulerRig* rig : {&completed, &skipped}) {
        ASSERT_TRUE(rig->state().MicropauseRunning);
        rig->log.Clear();
        rig->clock.Advance(100);
        EXPECT_FALSE(rig->state().MicropauseRunning);
    }
    EXPECT_EQ(skipped.log.TimesOf("hide form"), std::vector<std::uint64_t>{63'100});
    EXPECT_EQ(skipped.log.Texts(), completed.log.Texts());
    EXPECT_EQ(skipped.view.Caption(ViewLabel::lblrilto), "Last rilto micropause: 09:01");
    EXPECT_EQ(skipped.log.Count("beep"), 1u);
}

// Opening the settings ends a micropause early: not taken, whether escaping is allowed or
// not. One the dialog lets run to its end, at most three steps from it, was taken.
TEST(MicropauseSkip, OneCutShortByTheSettingsCountsAsSkipped) {
    for (const bool disableEsc : {false, true}) {
        SCOPED_TRACE(disableEsc ? "escape disabled" : "escape allowed");
        SchedulerRig rig;
        rig.settings.InterruptFor = 10;
        rig.settings.DisableEsc = disableEsc;
        rig.Start();
        rig.scheduler.RiltoMicropause();
        rig.AdvanceSeconds(2);
        rig.core.settingsDialog().LoadMeUp();
        EXPECT_FALSE(rig.state().MicropauseRunning);
        DayFigures today = rig.core.statistics().Today();
        EXPECT_EQ(today[DayCount::micropauses], 0);
        EXPECT_EQ(today[DayCount::skipped], 1);

        rig.core.settingsDialog().Cancel();
        rig.scheduler.RiltoMicropause();
        rig.clock.Advance(9'800);
        rig.core.settingsDialog().LoadMeUp();
        rig.clock.Advance(100);
        today = rig.core.statistics().Today();
        EXPECT_EQ(today[DayCount::micropauses], 1);
        EXPECT_EQ(today[DayCount::skipped], 1);
    }
}

TEST(MicropauseSkip, DoesNothingWhenEscapingIsDisabled) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.settings.DisableEsc = true;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(3);
    rig.scheduler.Skip();
    EXPECT_EQ(rig.progressBar.Value(), 31);
    rig.AdvanceSeconds(11);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    EXPECT_FALSE(rig.view.Visible(ViewControl::lblESC));
}

// ESC in the status window presses Cancel too; the next micropause still runs in full.
TEST(MicropauseSkip, BetweenMicropausesDoesNotShortenTheNextOne) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.scheduler.Skip();
    rig.scheduler.EscapePressed();
    rig.scheduler.RiltoMicropause();
    rig.clock.Advance(14'800);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.clock.Advance(100);
    EXPECT_FALSE(rig.state().MicropauseRunning);
}

// Enter reaches OK, Alt+F4 asks the window to close, "Status..." shows the status
// window: none of them may end or hide a running micropause, escapable or not.
TEST(MicropauseSkip, OnlyTheBarOrAnAllowedEscapeEndsIt) {
    for (const bool disableEsc : {false, true}) {
        SchedulerRig rig;
        rig.settings.InterruptFor = 15;
        rig.settings.DisableEsc = disableEsc;
        rig.Start();
        rig.scheduler.RiltoMicropause();
        EXPECT_EQ(rig.view.CatchingEscape(), !disableEsc);
        rig.AdvanceSeconds(1);
        rig.log.Clear();
        rig.scheduler.StatusOk();
        rig.scheduler.CloseRequested();
        rig.scheduler.StatusRequested();
        rig.AdvanceSeconds(1);
        EXPECT_TRUE(rig.state().MicropauseRunning) << disableEsc;
        EXPECT_TRUE(rig.view.FormVisible()) << disableEsc;
        EXPECT_EQ(rig.view.State(), WindowState::Maximised) << disableEsc;
        EXPECT_EQ(rig.log.Count("hide form"), 0u) << disableEsc;

        rig.scheduler.EscapePressed();
        rig.clock.Advance(100);
        EXPECT_EQ(rig.state().MicropauseRunning, disableEsc) << disableEsc;
        if (!disableEsc) {
            // ESC is the other programs' again once the micropause is over.
            EXPECT_FALSE(rig.view.CatchingEscape());
        }
    }
}

TEST(StatusWindow, OkEscapeOrCloseHideIt) {
    SchedulerRig rig;
    rig.Start();
    const std::function<void()> closers[] = {[&] { rig.scheduler.StatusOk(); },
                                             [&] { rig.scheduler.EscapePressed(); },
                                             [&] { rig.scheduler.CloseRequested(); }};
    for (const auto& close : closers) {
        rig.scheduler.StatusRequested();
        ASSERT_TRUE(rig.view.FormVisible());
        EXPECT_EQ(rig.view.State(), WindowState::Normal);
        EXPECT_FALSE(rig.view.Topmost());
        close();
        EXPECT_FALSE(rig.view.FormVisible());
    }
    EXPECT_EQ(rig.log.Count("catch ESC"), 0u);
}

// ---------------------------------------------------------------- diagnostics

TEST(MicropauseDiagnostics, ShowStoredAndCurrentHookTimesAndTheTickCount) {
    SchedulerRig rig(0x7FFF'FFF0u);
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.AdvanceSeconds(1);
    rig.hook.Input(kMouse);
    rig.AdvanceSeconds(14);  // polled at 15 s
    rig.AdvanceSeconds(5);
    rig.hook.Input(kKeyboard);
    const auto stored = rig.state().LastInputTime;

    rig.scheduler.ShowDiagnostics();
    // Keyboard stored/current, mouse stored/current, tick count: all in the hook's
    // signed clock, which passed 2^31 at 16 ms; the hooks never had to be installed again.
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblESC),
              "2147483632/-2147463664/-2147482664/-2147482664/-2147463664; hooks installed "
              "again: 0");
    EXPECT_TRUE(rig.view.Visible(ViewControl::lblESC));
    EXPECT_EQ(rig.state().LastInputTime, stored);
}

}  // namespace
}  // namespace rilto
