// riltoctl's "status": the lines for each state, and the facts as the core has them,
// the next micropause to the second within the minute under way.

#include <gtest/gtest.h>

#include "fakes/exercise_rig.h"
#include "shell/status_report.h"

namespace rilto {
namespace {

using Lines = std::vector<std::string>;
constexpr char kToday[] = "micropauses today: 12 taken, 2 skipped, 3 natural";

// Counting down, nothing else in effect: 3 minutes 10 seconds to the micropause.
StatusFacts Working() {
    StatusFacts facts;
    facts.msToMicropause = 190'000;
    facts.msToExercise = 42 * 60'000 + 30'000;
    facts.taken = 12;
    facts.skipped = 2;
    facts.natural = 3;
    return facts;
}

TEST(StatusLines, WorkingTheyGiveTheCountdownsThePauseAndTheDaysFigures) {
    EXPECT_EQ(StatusText(Working()),
              "next micropause in 3:10\nnext exercise break in 42 minutes\nnot paused\n" +
                  std::string(kToday) + "\n");
    StatusFacts facts = Working();
    facts.msToExercise = 119'999;
    EXPECT_EQ(StatusLines(facts)[1], "next exercise break in 1 minute");
    // Seconds rounded up, in the program's minute (2 s long: half of one is 30 seconds).
    EXPECT_EQ(MinutesAndSeconds(189'001, 60'000), "3:10");
    EXPECT_EQ(MinutesAndSeconds(59'999, 60'000), "1:00");
    EXPECT_EQ(MinutesAndSeconds(65'000, 60'000), "1:05");
    EXPECT_EQ(MinutesAndSeconds(90 * 60'000, 60'000), "90:00");
    EXPECT_EQ(MinutesAndSeconds(7'000, 2'000), "3:30");
}

TEST(StatusLines, PausedOrOffHoursNoBreakComesAndWhatIsInEffectSaysSo) {
    StatusFacts facts = Working();
    facts.quiet = true;
    facts.pausedUntil = "14:30";
    facts.holdReason = HoldReason::FullScreen;
    facts.offHours = OffHoursShown{true, "Mon 09:00"};
    facts.readingMode = true;
    EXPECT_EQ(StatusLines(facts), (Lines{"next micropause off", "next exercise break off",
                                         "paused until 14:30", "breaks held: a full-screen window",
                                         "off hours until Mon 09:00", "reading mode on", kToday}));
    facts.offHours.until.clear();
    EXPECT_EQ(StatusLines(facts)[4], "off hours");
}

TEST(StatusLines, EachHoldAndEachBreakUnderWayOrDueHasItsLine) {
    const std::vector<std::pair<HoldReason, std::string>> reasons = {
        {HoldReason::Notifications, "breaks held: Windows is in a presentation or game"},
        {HoldReason::FocusAssist, "breaks held: Focus Assist"},
        {HoldReason::Program, "breaks held: a program of the hold list"},
        {HoldReason::Call, "breaks held: a call"}};
    for (const auto& [reason, line] : reasons) {
        StatusFacts held = Working();
        held.holdReason = reason;
        EXPECT_EQ(StatusLines(held)[3], line);
    }
    StatusFacts facts = Working();
    facts.holding = true;  // the hold is over, the gate has not looked again yet
    facts.micropauseDue = true;
    facts.exerciseDue = true;
    EXPECT_EQ(StatusLines(facts), (Lines{"next micropause due", "exercise break due", "not paused",
                                         "breaks held", kToday}));
    facts = Working();
    facts.micropauseRunning = true;
    facts.exercisesOff = true;
    EXPECT_EQ(StatusLines(facts)[0], "micropause on screen");
    EXPECT_EQ(StatusLines(facts)[1], "next exercise break off");
    facts = Working();
    facts.exerciseInProgress = true;
    facts.msToMicropause.reset();
    EXPECT_EQ(StatusLines(facts)[0], "next micropause after the exercise break");
    EXPECT_EQ(StatusLines(facts)[1], "exercise break in progress");
}

struct StatusRig : fakes::ExerciseRig {
    StatusRig() {
        settings.InterruptFor = 10;
        settings.InterruptEvery = 4;
        settings.EveryM = 50;
        settings.DisableEsc = false;
        UseScheme(2, {}, 5);
        Start();
    }
    Lines Status() { return StatusLines(StatusOf(core)); }
    void Work(std::uint64_t seconds) {
        for (std::uint64_t s = 0; s < seconds; ++s) {
            hook.Input(kKeyboard);
            AdvanceSeconds(1);
        }
    }
};

TEST(StatusOf, TheNextMicropauseCountsDownToTheSecondAndAgainAfterABreak) {
    StatusRig rig;
    EXPECT_EQ(rig.Status()[0], "next micropause in 4:00");
    EXPECT_EQ(rig.Status()[1], "next exercise break in 50 minutes");
    rig.Work(50);
    EXPECT_EQ(rig.Status()[0], "next micropause in 3:10");
    EXPECT_EQ(rig.Status()[1], "next exercise break in 49 minutes");
    rig.Work(189);  // past three ticks of the minute
    EXPECT_EQ(rig.Status()[0], "next micropause in 0:01");
    rig.Work(1);
    EXPECT_EQ(rig.Status()[0], "micropause on screen");
    rig.AdvanceSeconds(11);

    rig.flow.ExerciseNowFromTray();
    EXPECT_EQ(rig.Status()[1], "exercise break in progress");
    rig.RunToEnd();
    rig.Work(15);  // the break's end set the timers anew
    EXPECT_EQ(rig.Status()[0], "next micropause in 3:45");
}

TEST(StatusOf, PauseHoldReadingModeAndTheDaysFiguresComeFromTheCore) {
    StatusRig rig;
    rig.core.PauseFor(30);
    EXPECT_EQ(rig.Status()[0], "next micropause off");
    EXPECT_EQ(rig.Status()[2], "paused until 09:30");
    rig.core.Resume();

    rig.settings.FullScreen = true;
    rig.probe.view.coversMonitor = true;
    rig.core.SwitchReadingMode();
    const Lines lines = rig.Status();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "not paused");
    EXPECT_EQ(lines[3], "breaks held: a full-screen window");
    EXPECT_EQ(lines[4], "reading mode on");
    rig.probe.view.coversMonitor = false;

    rig.core.MicropauseNow();
    rig.AdvanceSeconds(11);  // taken to its end
    rig.core.MicropauseNow();
    rig.AdvanceSeconds(1);
    rig.scheduler.Skip();
    rig.AdvanceSeconds(1);
    EXPECT_EQ(rig.Status().back(), "micropauses today: 1 taken, 1 skipped, 0 natural");
}

}  // namespace
}  // namespace rilto
