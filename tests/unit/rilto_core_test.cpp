// The program's core as the program builds it: a working day on the virtual clock, with a
// short minute, and when the day's figures reach the store.

#include <gtest/gtest.h>

#include "common/day_figures.h"
#include "engine/system_notice.h"
#include "exercise/scheme_store.h"
#include "fakes/exercise_rig.h"
#include "fakes/quiet_host.h"

namespace rilto {
namespace {

using fakes::kMsPerHour;
using fakes::kMsPerSecond;

// A minute of 2 seconds, as the Windows tests run the program.
constexpr std::uint32_t kShortMinuteMs = 2'000;

struct CoreRig : fakes::ExerciseRig {
    explicit CoreRig(std::uint32_t minuteMs = kRealMinuteMs)
        : ExerciseRig(5'000'000, {9, 0}, minuteMs) {
        settings.InterruptFor = 10;
        settings.DisableEsc = false;
    }
    // Today's figures as the store holds them.
    DayFigures Stored() const {
        return ParseDayFigures("2026-03-28",
                               store.GetSetting(kStatisticsSection, "2026-03-28", ""));
    }
    void Work(std::uint64_t seconds) {
        for (std::uint64_t s = 0; s < seconds; ++s) {
            hook.Input(kKeyboard);
            AdvanceSeconds(1);
        }
    }
};

TEST(RiltoCore, AShortMinuteBringsTheBreaksInSecondsAndLeavesSecondsAlone) {
    CoreRig rig(kShortMinuteMs);
    rig.settings.InterruptEvery = 4;
    rig.settings.InterruptFor = 3;
    rig.settings.EveryM = 7;
    rig.UseScheme(2, {}, 4);
    rig.Start();
    rig.Work(7);
    EXPECT_TRUE(rig.log.TimesOf("show form").empty());
    rig.Work(1);  // 4 minutes of 2 seconds
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_EQ(rig.log.TimesOf("show form")[0], 8 * kMsPerSecond);
    // The micropause keeps its 3 real seconds, thirty steps of its bar.
    rig.AdvanceSeconds(2);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.AdvanceSeconds(2);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    // The reminder after 7 minutes of 2 seconds; the break's exercises keep their 4 seconds.
    rig.Work(2);
    ASSERT_EQ(rig.reminder.shownAt.size(), 1u);
    EXPECT_EQ(rig.reminder.shownAt[0], 14 * kMsPerSecond);
    ASSERT_TRUE(rig.flow.ExerciseNowFromReminder());
    rig.AdvanceSeconds(4);
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.RunToEnd();
    EXPECT_EQ(rig.Stored()[DayCount::exercises], 1);
    EXPECT_EQ(rig.Stored()[DayCount::micropauses], 1);
}

TEST(RiltoCore, TheDaysFiguresAreWrittenEachMinuteAlsoDuringABreakAndWhenItEnds) {
    CoreRig rig;
    rig.settings.InterruptFor = 7;  // no poll at the minute
    rig.UseScheme(3, {}, 50);
    rig.store.SaveSetting(kExercise, "NumAtaTime", "3");
    rig.Start();
    rig.AdvanceMinutes(1);
    const int written = rig.status.figuresWritten;
    EXPECT_EQ(written, 1) << "the minute writes them";

    // A micropause, then at once an exercise break of three long exercises: the minute's
    // timer stands still for it.
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(11);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    rig.flow.ExerciseNowFromTray();
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.Stored()[DayCount::micropauses], 0) << "not yet a minute since the write";
    rig.AdvanceSeconds(50);
    EXPECT_EQ(rig.Stored()[DayCount::micropauses], 1) << "a minute passed during the break";
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.AdvanceSeconds(60);
    EXPECT_EQ(rig.status.figuresWritten, written + 2) << "once a minute, not every second";

    rig.RunToEnd();
    EXPECT_EQ(rig.Stored()[DayCount::exercises], 1) << "written as the break ends";
    EXPECT_EQ(rig.status.figuresWritten, written + 3);
}

TEST(RiltoCore, TheTrayAndTheStatisticsWindowHearOfThePauseAndTheDaysCount) {
    CoreRig rig;
    rig.Start();
    rig.core.PauseFor(30);
    EXPECT_EQ(rig.status.pausedUntil, "09:30");
    EXPECT_EQ(rig.core.TrayMenu().pausedUntil, "09:30");
    rig.core.Resume();
    EXPECT_EQ(rig.status.pausedUntil, "");
    rig.core.MicropauseNow();
    rig.AdvanceSeconds(11);
    EXPECT_EQ(rig.status.micropausesToday, 1);
}

using fakes::QuietHost;

TEST(RiltoCore, StartBringsTheProgramUpFromTheStore) {
    CoreRig rig;
    rig.store.SaveSetting("Micropause", "InterruptEvery", "7");
    QuietHost host;
    rig.core.Start(host);
    EXPECT_EQ(host.trayIcons, 1);
    EXPECT_EQ(rig.settings.InterruptEvery, 7);
    EXPECT_EQ(rig.state().MinutesToMicropause, 7);
    EXPECT_TRUE(rig.tMinutes.Enabled());
    EXPECT_FALSE(rig.core.offHours().Active());

    // The working hours as stored: Saturday off, so off hours from the start.
    CoreRig off;
    off.store.SaveSetting("Schedule", "On", "1");
    off.store.SaveSetting("Schedule", "Sat", "");
    off.core.Start(host);
    EXPECT_TRUE(off.core.offHours().Active());
    EXPECT_EQ(off.status.offHours, (OffHoursShown{true, "Mon 09:00"}));
}

TEST(RiltoCore, TheTrayMenuOffersEveryCommandAndEachReachesItsPart) {
    CoreRig rig;
    rig.UseScheme(2, {}, 5);
    rig.Start();
    const TrayMenuContent menu = rig.core.TrayMenu();
    EXPECT_TRUE(menu.optionsEnabled);
    EXPECT_TRUE(menu.aboutEnabled);
    EXPECT_TRUE(menu.exerciseEnabled);

    rig.core.ExerciseNow();
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.RunToEnd();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());

    rig.core.PauseUntilTomorrow();
    EXPECT_EQ(rig.status.pausedUntil, "00:00");
    EXPECT_EQ(rig.core.TrayMenu().pausedUntil, "00:00");
}

// A scheme picked from the tray's list runs at once and is the one in use, also in the
// settings dialog that is open meanwhile.
TEST(RiltoCore, ASchemeFromTheTrayRunsAndTheOpenDialogFollows) {
    CoreRig rig;
    rig.UseScheme(2, {}, 3);
    SaveScheme(rig.store, "Other", {{}, {"o1.avi", "Other 1", 1, 3}}, 1);
    AddSchemeName(rig.store, "Test");
    AddSchemeName(rig.store, "Other");
    rig.Start();
    rig.core.settingsDialog().LoadMeUp();
    ASSERT_EQ(rig.settingsView.SchemeShown(), "Test");
    rig.core.RunScheme("Other");
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.settings.Scheme, "Other");
    EXPECT_EQ(rig.settingsView.SchemeShown(), "Other");
}

// A pause ends by itself at its time, and at once when the machine wakes after it.
TEST(RiltoCore, APauseEndsAtItsTimeOrWhenTheMachineWakesAfterIt) {
    CoreRig rig;
    rig.Start();
    rig.core.PauseFor(30);
    rig.AdvanceMinutes(29);
    EXPECT_EQ(rig.status.pausedUntil, "09:30");
    rig.AdvanceMinutes(2);
    EXPECT_EQ(rig.status.pausedUntil, "");

    rig.core.PauseFor(30);
    rig.core.Noticed(SystemNotice::Suspended);
    rig.clock.Sleep(kMsPerHour);
    rig.core.Noticed(SystemNotice::Resumed);  // before any timer fires
    EXPECT_EQ(rig.status.pausedUntil, "");
}

// Built as the program builds it, nothing put in place of its parts: the core's own
// seconds run its exercise breaks.
TEST(RiltoCore, ItsSecondsRunItsOwnExerciseBreaks) {
    CoreRig parts;  // its fakes and store; its own core stays idle
    fakes::FakeTimer minutes(parts.clock, "minutes");
    fakes::FakeTimer seconds(parts.clock, "seconds");
    fakes::FakeTimer pause(parts.clock, "pause");
    fakes::FakeTimer hold(parts.clock, "hold");
    fakes::FakeTimer schedule(parts.clock, "schedule");
    RiltoCore core(
        CorePorts{parts.store, parts.clock, CoreTimers{minutes, seconds, pause, hold, schedule},
                  parts.hook, parts.hook, parts.probe, parts.sound,
                  CoreViews{parts.view, parts.player, parts.reminder, parts.settingsView,
                            parts.status, parts.dailyLimitView},
                  TrayActions{[] {}, [](std::optional<TrayPoint>) { return false; }, [] {}, [] {}},
                  fakes::kProgramFolder, [] { return 0.0; }, kRealMinuteMs});
    minutes.OnTick([&core] { core.OnMinute(); });
    seconds.OnTick([&core] { core.OnSecond(); });
    parts.UseScheme(2, {}, 3);
    core.settings().Scheme = "Test";
    LoadScheme(parts.store, "Test", core.exercises());
    core.scheduler().SetTimers();

    core.ExerciseNow();
    ASSERT_TRUE(core.breaks().ExerciseInProgress());
    for (int s = 0; s < 600 && core.breaks().ExerciseInProgress(); ++s) {
        parts.AdvanceSeconds(1);
    }
    EXPECT_FALSE(core.breaks().ExerciseInProgress());
    EXPECT_FALSE(parts.player.forward.empty());
}

}  // namespace
}  // namespace rilto
