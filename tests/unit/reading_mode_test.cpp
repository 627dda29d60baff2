// Reading mode: time without input is work, not rest. Micropauses come by the clock, no
// natural micropause is found, a quiet hour is no time away (a locked session or a sleeping
// machine still is), the micropause's bar fills by time, and every minute counts as active.
// The tray's item switches it, stores it at once and shows it.

#include <gtest/gtest.h>

#include "common/day_figures.h"
#include "fakes/exercise_rig.h"
#include "fakes/quiet_host.h"
#include "shell/tray_tip.h"

namespace rilto {
namespace {

using fakes::kMsPerSecond;

struct ReadingRig : fakes::ExerciseRig {
    explicit ReadingRig(bool reading) {
        settings.ReadingMode = reading;
        settings.InterruptEvery = 5;
        settings.InterruptFor = 10;
        settings.IntelliReset = true;
        settings.DisableEsc = false;
        settings.EveryM = 30;
        settings.AwayM = 10;
        UseScheme(3, {}, 5);
    }
    std::int32_t Today(DayCount what) { return core.statistics().Today()[what]; }
    std::size_t Micropauses() const { return log.Count("show form"); }
    std::size_t Reminders() const { return reminder.shownAt.size(); }
};

// With nobody typing, reading mode brings a micropause every InterruptEvery minutes and
// books no natural one; without it the quiet is rest and none ever comes.
TEST(ReadingMode, MicropausesComeByTheClockAndNoQuietIsANaturalRest) {
    ReadingRig reading(true);
    reading.Start();
    reading.AdvanceMinutes(30);
    reading.AdvanceSeconds(15);  // the last one ends
    EXPECT_EQ(reading.Micropauses(), 6u);
    EXPECT_EQ(reading.Today(DayCount::micropauses), 6);
    EXPECT_EQ(reading.Today(DayCount::natural), 0);
    EXPECT_TRUE(reading.CaptionsOf(ViewLabel::lblvoluntary).empty());

    ReadingRig quiet(false);
    quiet.Start();
    quiet.AdvanceMinutes(30);
    EXPECT_EQ(quiet.Micropauses(), 0u);
    EXPECT_GE(quiet.Today(DayCount::natural), 1);
    EXPECT_FALSE(quiet.CaptionsOf(ViewLabel::lblvoluntary).empty());
}

// A quiet half hour of reading is no time away: the exercise countdown runs on and the
// reminder comes. Without reading mode the same quiet sends the user away at AwayM and the
// countdown stands at its full value.
TEST(ReadingMode, QuietTimeIsNoTimeAwayAndTheReminderComes) {
    ReadingRig reading(true);
    reading.settings.InterruptEvery = 1000;
    reading.Start();
    reading.AdvanceMinutes(29);
    EXPECT_FALSE(reading.state().Away);
    EXPECT_EQ(reading.state().MinutesToExercise, 1);
    reading.AdvanceMinutes(1);
    EXPECT_EQ(reading.Reminders(), 1u);

    ReadingRig quiet(false);
    quiet.settings.InterruptEvery = 1000;
    quiet.Start();
    quiet.AdvanceMinutes(30);
    EXPECT_TRUE(quiet.state().Away);
    EXPECT_EQ(quiet.state().MinutesToExercise, 30);
    EXPECT_EQ(quiet.Reminders(), 0u);
}

// A locked session is still time away, counted from the lock, not from the last key: after
// forty quiet minutes of reading, a lock of five minutes is no absence, one of twelve is,
// and either is a rest the length of a micropause.
TEST(ReadingMode, ALockIsStillTimeAwayCountedFromTheLock) {
    ReadingRig rig(true);
    rig.settings.EveryM = 60;
    rig.Start();
    rig.AdvanceMinutes(40);
    const std::size_t before = rig.Micropauses();
    rig.scheduler.SessionLocked();
    rig.AdvanceMinutes(5);
    EXPECT_FALSE(rig.state().Away);
    rig.scheduler.SessionUnlocked();
    EXPECT_FALSE(rig.state().Away);
    EXPECT_EQ(rig.state().MinutesToExercise, 60 - 45);
    EXPECT_EQ(rig.state().MinutesToMicropause, 5) << "the lock was the rest";
    EXPECT_EQ(rig.Micropauses(), before);

    rig.scheduler.SessionLocked();
    rig.AdvanceMinutes(12);
    EXPECT_TRUE(rig.state().Away);
    rig.scheduler.SessionUnlocked();
    EXPECT_FALSE(rig.state().Away);
    EXPECT_EQ(rig.state().MinutesToExercise, 60);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.state().MinutesToExercise, 57) << "counting again in full";
}

// Switched on after a quiet spell that counted as time away, the user is back at once:
// the exercise countdown runs again from where it stood.
TEST(ReadingMode, SwitchedOnItEndsAnAbsenceThatQuietBegan) {
    ReadingRig rig(false);
    rig.settings.InterruptEvery = 1000;
    rig.Start();
    rig.AdvanceMinutes(12);
    ASSERT_TRUE(rig.state().Away);
    rig.core.SwitchReadingMode();
    EXPECT_FALSE(rig.state().Away);
    rig.AdvanceMinutes(2);
    EXPECT_EQ(rig.state().MinutesToExercise, 28);
}

// Input during a micropause neither holds its bar back nor starts it again: it ends after
// its InterruptFor seconds, and counts as taken.
TEST(ReadingMode, TheBarFillsByTimeAloneWhateverInputComes) {
    ReadingRig rig(true);
    rig.Start();
    rig.scheduler.RiltoMicropause();
    ASSERT_TRUE(rig.state().MicropauseRunning);
    for (int tenth = 0; tenth < 98; ++tenth) {
        rig.hook.Input(tenth % 2 == 0 ? kKeyboard : kMouse);
        rig.clock.Advance(kMsPerSecond / 10);
    }
    EXPECT_TRUE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.progressBar.Value(), 99);
    rig.hook.Input(kMouse);
    rig.AdvanceSeconds(1);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.Today(DayCount::micropauses), 1);
    EXPECT_EQ(rig.Today(DayCount::skipped), 0);
}

// Every minute of reading counts as active, input or not, so the daily limit sees it;
// minutes locked do not. Without reading mode quiet minutes count for nothing.
TEST(ReadingMode, EveryMinuteOfReadingIsActiveAndTheDailyLimitSeesIt) {
    ReadingRig rig(true);
    rig.settings.InterruptEvery = 1000;
    rig.settings.EveryM = 0;
    rig.settings.LimitOn = true;
    rig.settings.LimitM = 30;
    rig.Start();
    rig.AdvanceMinutes(20);
    EXPECT_EQ(rig.Today(DayCount::activeMinutes), 20);
    rig.scheduler.SessionLocked();
    rig.AdvanceMinutes(15);
    rig.scheduler.SessionUnlocked();
    EXPECT_EQ(rig.Today(DayCount::activeMinutes), 20);
    EXPECT_TRUE(rig.dailyLimitView.shownAt.empty());
    rig.AdvanceMinutes(10);
    EXPECT_EQ(rig.Today(DayCount::activeMinutes), 30);
    EXPECT_EQ(rig.dailyLimitView.worked, std::vector<std::int32_t>{30});

    ReadingRig quiet(false);
    quiet.settings.AwayM = fakes::kNeverAway;
    quiet.Start();
    quiet.AdvanceMinutes(20);
    EXPECT_EQ(quiet.Today(DayCount::activeMinutes), 0);
}

using fakes::QuietHost;

// The tray's item turns it on and off, stores "1" or "0" at once and shows it in the menu
// and the tip; the settings dialog's Apply leaves it as it is, and a new start reads it.
TEST(ReadingMode, TheTrayItemSwitchesItStoresItAtOnceAndApplyKeepsIt) {
    ReadingRig rig(false);
    rig.Start();
    EXPECT_FALSE(rig.core.TrayMenu().readingMode);
    rig.core.settingsDialog().LoadMeUp();  // open before the switch
    rig.core.SwitchReadingMode();
    EXPECT_EQ(rig.store.GetSetting("Options", "ReadingMode", ""), "1");
    EXPECT_TRUE(rig.settings.ReadingMode);
    EXPECT_TRUE(rig.core.TrayMenu().readingMode);
    EXPECT_EQ(rig.status.readingMode, std::optional<bool>(true));
    rig.core.settingsDialog().Apply();
    EXPECT_TRUE(rig.settings.ReadingMode);
    EXPECT_EQ(rig.store.GetSetting("Options", "ReadingMode", ""), "1");

    ReadingRig restarted(false);
    restarted.store.SaveSetting("Options", "ReadingMode",
                                rig.store.GetSetting("Options", "ReadingMode", ""));
    QuietHost host;
    restarted.core.Start(host);
    EXPECT_TRUE(restarted.settings.ReadingMode);
    EXPECT_TRUE(restarted.core.TrayMenu().readingMode);
    EXPECT_EQ(restarted.status.readingMode, std::optional<bool>(true));

    rig.core.SwitchReadingMode();
    EXPECT_EQ(rig.store.GetSetting("Options", "ReadingMode", ""), "0");
    EXPECT_FALSE(rig.settings.ReadingMode);
    EXPECT_FALSE(rig.core.TrayMenu().readingMode);
    EXPECT_EQ(rig.status.readingMode, std::optional<bool>(false));
}

}  // namespace
}  // namespace rilto
