// Time away counts as an exercise break: no input for AwayM minutes, a locked session,
// a sleeping machine. A sleep ends what runs and brings no burst of stale breaks; hooks
// that Windows removed are installed again.

#include <gtest/gtest.h>

#include "engine/system_notice.h"
#include "fakes/exercise_rig.h"

namespace rilto {
namespace {

using fakes::ExerciseRig;
using fakes::kMsPerHour;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;

struct AwayRig : ExerciseRig {
    explicit AwayRig(std::uint32_t startTick = 5'000'000, LocalTime startTime = {9, 0})
        : ExerciseRig(startTick, startTime) {
        settings.EveryM = 30;
        settings.AwayM = 10;
        settings.InterruptFor = 10;
        settings.InterruptEvery = 1000;  // micropauses out of the way unless asked for
        UseScheme(3, {}, 5);
        // A reminder is taken at once: a break of its exercises, then back to work.
        reminder.shown = false;
    }
    // Input every 10 seconds for `minutes`, between the polls.
    void Work(std::uint64_t minutes) {
        for (std::uint64_t s = 0; s < minutes * 60; s += 10) {
            AdvanceSeconds(5);
            hook.Input(kKeyboard);
            AdvanceSeconds(5);
        }
    }
    std::vector<std::uint64_t> ReminderMinutes() const {
        std::vector<std::uint64_t> out;
        for (const std::uint64_t at : reminder.shownAt) {
            out.push_back(at / kMsPerMinute);
        }
        return out;
    }
};

TEST(TimeAway, AnAbsenceOfAwayMMinutesStartsTheExerciseCountdownAgainInFull) {
    AwayRig rig;
    rig.Start();
    rig.Work(20);
    rig.AdvanceMinutes(9);  // nine quiet minutes are no absence
    rig.Work(1);
    EXPECT_EQ(rig.ReminderMinutes(), std::vector<std::uint64_t>{30});
    rig.reminder.shown = false;
    rig.scheduler.PostponeExercise(20);
    rig.scheduler.ReminderClosed();  // "Later": 20 minutes

    // Away from 32 to 60, counted from 42: the countdown starts again in full and stands
    // until the user is back, and the postponed reminder never comes.
    rig.Work(2);
    rig.AdvanceMinutes(28);
    EXPECT_TRUE(rig.state().Away);
    EXPECT_EQ(rig.state().MinutesToExercise, 30);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 29 minutes");
    rig.Work(31);
    EXPECT_FALSE(rig.state().Away);
    EXPECT_EQ(rig.ReminderMinutes(), (std::vector<std::uint64_t>{30, 90}));
}

TEST(TimeAway, AReminderOpenWhenTheAbsenceBeginsCloses) {
    AwayRig rig;
    rig.settings.EveryM = 5;
    rig.settings.AwayM = 3;
    rig.Start();
    rig.Work(5);
    ASSERT_TRUE(rig.reminder.shown);
    rig.AdvanceMinutes(3);  // the user left without answering it
    EXPECT_FALSE(rig.reminder.shown);
    EXPECT_FALSE(rig.state().ExerciseReminderPending);
    rig.AdvanceMinutes(20);
    rig.Work(6);
    EXPECT_EQ(rig.ReminderMinutes(), (std::vector<std::uint64_t>{5, 33}));
}

// The lock screen's input, or a remote session's, is not the user at this machine; the
// locked time counts whole, and a short lock is no absence.
TEST(TimeAway, ALockIsAbsenceWhateverInputItMakes) {
    AwayRig rig;
    rig.settings.IntelliReset = true;
    rig.settings.InterruptEvery = 20;
    rig.Start();
    rig.Work(15);
    rig.scheduler.SessionLocked();
    rig.scheduler.SessionLocked();  // heard by every top-level window
    for (int m = 0; m < 12; ++m) {
        rig.hook.InputWindowsOnly();
        rig.AdvanceMinutes(1);
    }
    EXPECT_TRUE(rig.state().Away);
    EXPECT_FALSE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());  // and a natural micropause
    rig.scheduler.SessionUnlocked();
    EXPECT_FALSE(rig.state().Away);
    EXPECT_EQ(rig.state().MinutesToExercise, 30);
    rig.Work(25);
    EXPECT_EQ(rig.state().MinutesToExercise, 5);
    EXPECT_TRUE(rig.reminder.shownAt.empty());

    // Two minutes locked: the count goes on.
    rig.scheduler.SessionLocked();
    rig.AdvanceMinutes(2);
    rig.scheduler.SessionUnlocked();
    rig.scheduler.SessionUnlocked();
    rig.Work(4);
    EXPECT_EQ(rig.ReminderMinutes(), std::vector<std::uint64_t>{57});
}

// A night's sleep across midnight and across the tick count's wrap: the absence counts,
// and waking brings at most one micropause, only if one is still due.
TEST(TimeAway, ASleepAcrossMidnightAndTheWrapBringsNoBurstOfBreaks) {
    for (const bool intelliReset : {true, false}) {
        SCOPED_TRACE(intelliReset ? "natural rests reset" : "natural rests ignored");
        // 20:00, with the tick count 90 minutes from its wrap at 2^32.
        AwayRig rig(0xFFFF'FFFFu - 90 * 60'000u, {20, 0});
        rig.settings.IntelliReset = intelliReset;
        rig.settings.InterruptEvery = 15;
        rig.Start();
        rig.Work(14);  // a minute to the micropause
        const std::size_t before = rig.log.Count("show form");
        rig.scheduler.Suspending();
        rig.clock.Sleep(11 * kMsPerHour);  // until 07:12, past the wrap
        rig.scheduler.Resumed();
        rig.scheduler.Resumed();
        rig.hook.Input(kMouse);
        rig.AdvanceSeconds(59);
        EXPECT_EQ(rig.log.Count("show form"), before) << "the minute starts again whole";
        EXPECT_EQ(rig.state().MinutesToExercise, 30);
        rig.Work(3);
        // It was due, and the night was its rest, IntelliReset or not.
        EXPECT_EQ(rig.log.Count("show form"), before);
        if (!intelliReset) {
            EXPECT_EQ(rig.state().MinutesToMicropause, 15 - 3);  // three minutes since
        }
        EXPECT_EQ(rig.clock.Now().hour, 7);
    }
}

TEST(TimeAway, ASleepEndsARunningBreakOrMicropauseCleanly) {
    AwayRig rig;
    rig.UseSoundFiles();
    rig.settings.Audible = true;
    rig.Start();
    rig.flow.ExerciseNowFromTray();
    rig.AdvanceSeconds(3);
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    rig.scheduler.Suspending();
    rig.scheduler.Suspending();
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_EQ(rig.player.closed, 1);
    EXPECT_GE(rig.player.videoClosed, 1);
    EXPECT_EQ(rig.state().MinutesToExercise, 30);
    EXPECT_TRUE(rig.tMinutes.Enabled());
    rig.clock.Sleep(kMsPerHour);
    rig.scheduler.Resumed();

    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(2);
    rig.scheduler.Suspending();
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_FALSE(rig.view.FormVisible());
    EXPECT_EQ(rig.log.Count(fakes::kStartWarningPlayed), 1u);
    EXPECT_EQ(rig.log.Count("beep"), 0u) << "no end sound into the sleep";
}

// Nobody sees a micropause on the lock screen, or without the hook library to say the
// user rests: it waits for the user's return. Away as long as a micropause or longer,
// they had the rest (IntelliReset or not, a locked screen is no quiet reading); back
// sooner, it comes at once.
TEST(TimeAway, NoMicropauseComesWhileTheSessionIsLocked) {
    for (const bool library : {true, false}) {
        SCOPED_TRACE(library ? "IntelliReset off" : "no hook library");
        AwayRig rig;
        rig.settings.IntelliReset = !library;
        rig.settings.InterruptEvery = 5;
        rig.hook.SetAvailable(library);
        rig.Start();
        rig.Work(3);
        rig.scheduler.SessionLocked();
        for (int m = 0; m < 10; ++m) {
            rig.hook.InputWindowsOnly();  // the lock screen's
            rig.AdvanceMinutes(1);
        }
        EXPECT_EQ(rig.log.Count("show form"), 0u);
        EXPECT_TRUE(rig.state().MicropauseAwaited);
        rig.scheduler.SessionUnlocked();
        EXPECT_EQ(rig.log.Count("show form"), 0u) << "the time away was the rest";
        EXPECT_EQ(rig.state().MinutesToMicropause, 5);
        rig.Work(4);
        EXPECT_EQ(rig.log.Count("show form"), 0u);
        rig.Work(2);
        EXPECT_EQ(rig.log.Count("show form"), 1u);
        rig.AdvanceSeconds(10);
        const DayFigures today = rig.core.statistics().Today();
        EXPECT_EQ(today[DayCount::micropauses], 1);
        EXPECT_EQ(today[DayCount::skipped], 0);
    }

    // Locked for seconds just as the micropause fell due: it comes at the unlock.
    AwayRig rig;
    rig.settings.IntelliReset = false;
    rig.settings.InterruptEvery = 5;
    rig.Start();
    for (int s = 0; s < 295; s += 5) {
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(5);
    }
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(3);
    rig.scheduler.SessionLocked();
    rig.clock.AdvanceTo(302 * kMsPerSecond);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.scheduler.SessionUnlocked();
    EXPECT_EQ(rig.log.TimesOf("show form"), std::vector<std::uint64_t>{302 * kMsPerSecond});
}

// A suspend that no resume followed (a lost notice, or one any program can post): input
// after it says the machine is awake, and breaks come again.
TEST(TimeAway, InputAfterASuspendWithoutResumeWakesTheProgram) {
    for (const bool slept : {false, true}) {
        SCOPED_TRACE(slept ? "slept, the resume lost" : "a suspend posted, no sleep");
        AwayRig rig;
        rig.settings.IntelliReset = true;
        rig.settings.InterruptEvery = 5;
        rig.settings.EveryM = 10;
        rig.settings.AwayM = 3;
        rig.Start();
        rig.Work(2);
        rig.scheduler.Suspending();
        if (slept) {
            rig.clock.Sleep(kMsPerHour);
        }
        rig.Work(12);
        EXPECT_FALSE(rig.state().Away);
        EXPECT_GE(rig.log.Count("show form"), 1u);
        // After the sleep, away for an hour, the countdown starts in full at the first
        // minute (62).
        ASSERT_EQ(rig.ReminderMinutes().size(), 1u);
        EXPECT_EQ(rig.ReminderMinutes()[0], slept ? 72u : 10u);

        // And the hooks Windows removes are installed again.
        rig.hook.RemoveHooks();
        const int installs = rig.hook.Installs();
        rig.Work(1);
        EXPECT_GT(rig.hook.Installs(), installs);
    }
}

// Windows says whether the session is locked when asked: a lost unlock, or a lock nobody
// was told of (the notices' service not yet running at log-on), lasts no longer than the
// next poll. Where Windows cannot tell, the notices alone decide.
TEST(TimeAway, TheSessionsOwnLockStateOverridesLostNotices) {
    AwayRig rig;
    rig.settings.IntelliReset = true;
    rig.settings.InterruptEvery = 5;
    rig.hook.SetSessionLocked(false);
    rig.Start();
    rig.Work(1);
    rig.scheduler.SessionLocked();  // and no unlock
    rig.Work(5);
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).size() <= 1u) << "at most the first poll";
    EXPECT_EQ(rig.log.Count("show form"), 1u);

    // Locked without a word: the lock screen's input is no user.
    rig.hook.SetSessionLocked(true);
    const std::size_t rests = rig.CaptionsOf(ViewLabel::lblvoluntary).size();
    for (int s = 0; s < 60; s += 10) {
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(10);
    }
    EXPECT_GT(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), rests);
    rig.hook.SetSessionLocked(false);
    rig.Work(1);
    const std::size_t back = rig.CaptionsOf(ViewLabel::lblvoluntary).size();
    rig.Work(2);
    EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), back);
}

// Due while the session was locked, and the user back during a pause: the micropause
// comes as the pause ends.
TEST(TimeAway, AMicropauseAwaitedIntoAPauseComesAtItsEnd) {
    AwayRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.AdvanceSeconds(177);
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(1);
    rig.core.Noticed(SystemNotice::Locked);
    rig.AdvanceSeconds(3);  // due at 3:00, nobody to see it
    rig.core.PauseFor(30);  // at 3:01, until 33:01
    rig.AdvanceSeconds(1);
    rig.core.Noticed(SystemNotice::Unlocked);  // 5 seconds away: no rest
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.clock.AdvanceTo(33 * kMsPerMinute);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.clock.AdvanceTo(33 * kMsPerMinute + 2 * kMsPerSecond);
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_GE(rig.log.TimesOf("show form")[0], 33 * kMsPerMinute + kMsPerSecond);
}

// The poll and the minute each look whether the user left: whichever comes first after
// AwayM quiet minutes begins the absence, and the minute that finds them gone does not
// count down towards an exercise break.
TEST(TimeAway, TheFirstPollOrMinuteAfterAwayMQuietMinutesBeginsTheAbsence) {
    AwayRig rig;  // polls every 10 seconds
    rig.settings.EveryM = 5;
    rig.settings.AwayM = 3;
    rig.Start();
    rig.AdvanceSeconds(119);
    rig.hook.Input(kKeyboard);
    rig.AdvanceSeconds(180);  // 4:59, a second short of AwayM
    EXPECT_FALSE(rig.state().Away);
    EXPECT_EQ(rig.state().MinutesToExercise, 1);
    rig.AdvanceSeconds(1);  // the minute at 5:00 comes before that second's poll
    EXPECT_TRUE(rig.state().Away);
    EXPECT_TRUE(rig.reminder.shownAt.empty());
    EXPECT_EQ(rig.state().MinutesToExercise, 5);

    AwayRig open;
    open.settings.EveryM = 2;
    open.settings.AwayM = 3;
    open.Start();
    open.AdvanceSeconds(85);
    open.hook.Input(kKeyboard);
    open.AdvanceSeconds(40);  // the reminder at 2:00, unanswered
    ASSERT_TRUE(open.reminder.shown);
    open.AdvanceSeconds(146);  // 4:31, away since 4:25
    EXPECT_TRUE(open.state().Away) << "the poll at 4:30 saw it";
    EXPECT_FALSE(open.reminder.shown);
}

// With only some kinds of input watched, the hooks' times alone say the user is here:
// each poll reads them, so a user who types every 40 seconds is never away for one minute.
TEST(TimeAway, EachPollSeesTheWatchedInputNotOnlyTheMinute) {
    AwayRig rig;
    rig.settings.Monitor[kMouse] = false;
    rig.settings.EveryM = 3;
    rig.settings.AwayM = 1;
    rig.Start();
    rig.AdvanceSeconds(30);
    for (int typed = 0; typed < 6; ++typed) {
        rig.hook.Input(kKeyboard);
        for (int s = 0; s < 40; s += 5) {
            rig.AdvanceSeconds(5);
            ASSERT_FALSE(rig.state().Away) << rig.clock.Elapsed();
        }
    }
    EXPECT_EQ(rig.ReminderMinutes(), std::vector<std::uint64_t>{3});
}

// Windows removed the hooks: what it saw itself still counts as input, the hooks come
// back at the next poll, and where they keep missing input they are tried less often.
TEST(HookWatchdog, HooksThatMissInputAreInstalledAgain) {
    AwayRig rig;
    rig.settings.IntelliReset = true;
    rig.Start();
    rig.Work(1);
    rig.hook.RemoveHooks();
    const int installs = rig.hook.Installs();
    rig.Work(1);
    // Installed again at the first poll that saw the input they missed: off and on, per kind.
    EXPECT_EQ(rig.hook.Installs(), installs + 4);
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
    rig.scheduler.ShowDiagnostics();
    const std::string text = rig.view.Caption(ViewLabel::lblESC);
    EXPECT_EQ(text.substr(text.find(';')), "; hooks installed again: 1");
    const std::int32_t stuck = rig.hook.RilGetTime(kKeyboard);
    rig.Work(1);
    EXPECT_NE(rig.hook.RilGetTime(kKeyboard), stuck);

    // Input the hooks never see (an elevated window, say): 10 s, 20 s, 40 s... apart.
    for (int m = 0; m < 10; ++m) {
        rig.hook.RemoveHooks();
        for (int s = 0; s < 60; s += 10) {
            rig.hook.InputWindowsOnly();
            rig.hook.RemoveHooks();
            rig.AdvanceSeconds(10);
        }
    }
    const int later = (rig.hook.Installs() - installs) / 4;
    EXPECT_GE(later, 5);
    EXPECT_LE(later, 8);
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty()) << "never taken for a rest";

    // With a kind not monitored Windows' answer is no input: the hooks alone decide. The
    // hook of the monitored kind is still installed again, by the same growing waits.
    rig.settings.Monitor[kMouse] = false;
    rig.hook.RemoveHooks();
    const int now = rig.hook.Installs();
    for (int s = 0; s < 660; s += 10) {
        rig.hook.InputWindowsOnly();
        rig.AdvanceSeconds(10);
    }
    EXPECT_GT(rig.hook.Installs(), now);
    EXPECT_LE(rig.hook.Installs(), now + 3 * 2) << "the keyboard's only, every few minutes";
    EXPECT_FALSE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
}

}  // namespace
}  // namespace rilto
