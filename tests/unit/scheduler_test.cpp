#include "engine/scheduler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::kExerciseWarningPlayed;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;
using fakes::kPreWarningPlayed;
using fakes::kStartWarningPlayed;
using fakes::SchedulerRig;
using Times = std::vector<std::uint64_t>;

std::uint64_t Minutes(std::uint64_t m) {
    return m * kMsPerMinute;
}

Times MinuteMarks(std::initializer_list<std::uint64_t> minutes) {
    Times out;
    for (auto m : minutes) {
        out.push_back(Minutes(m));
    }
    return out;
}

std::vector<std::string> Texts(const std::vector<fakes::Event>& events) {
    std::vector<std::string> out;
    for (const auto& e : events) {
        out.push_back(e.what);
    }
    return out;
}

// ---------------------------------------------------------------- SetTimers

TEST(SchedulerSetTimers, RestartsBothCountdownsAndWholeTimerPeriods) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 20;
    rig.settings.InterruptEvery = 7;
    rig.settings.IntelliReset = false;
    rig.Start();
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 49 minutes");
    rig.clock.Advance(Minutes(3) + 50 * kMsPerSecond);
    EXPECT_EQ(rig.state().MinutesToMicropause, 4);
    EXPECT_EQ(rig.state().MinutesToExercise, 47);

    rig.scheduler.SetTimers();  // as when an exercise break ends
    EXPECT_EQ(rig.state().MinutesToMicropause, 7);
    EXPECT_EQ(rig.state().MinutesToExercise, 50);
    // Whole new periods from now, not the rest of the old ones.
    EXPECT_EQ(rig.tMinutes.Due(), rig.clock.Elapsed() + 60000);
    EXPECT_EQ(rig.tSeconds.Due(), rig.clock.Elapsed() + 20000);
}

// The minute counted after a pause, or after a sleep, is a whole one from its end.
TEST(SchedulerSetTimers, APausesEndOrAWakeUpStartsAWholeMinute) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 10;
    rig.Start();
    rig.AdvanceSeconds(90);
    rig.core.PauseFor(30);
    rig.AdvanceSeconds(100);
    rig.core.Resume();
    EXPECT_TRUE(rig.tMinutes.Enabled());
    EXPECT_EQ(rig.tMinutes.Due(), rig.clock.Elapsed() + kMsPerMinute);

    rig.AdvanceSeconds(30);
    rig.scheduler.Suspending();
    rig.clock.Sleep(45 * kMsPerSecond);  // the minute fell due in the sleep
    rig.scheduler.Resumed();
    EXPECT_TRUE(rig.tMinutes.Enabled());
    EXPECT_EQ(rig.tMinutes.Due(), rig.clock.Elapsed() + kMsPerMinute);
    EXPECT_EQ(rig.tSeconds.Due(), rig.clock.Elapsed() + 10 * kMsPerSecond) << "the poll too";
}

// ---------------------------------------------------------------- minute tick: micropauses

TEST(SchedulerMinuteTick, IntervalOfOneNeverWarnsEarlyAndEveryStepStartsAMicropause) {
    SchedulerRig rig;
    rig.UseSoundFiles();
    rig.settings.InterruptEvery = 1;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.AdvanceMinutes(5);
    EXPECT_EQ(rig.log.TimesOf("show form"), MinuteMarks({1, 2, 3, 4, 5}));
    EXPECT_EQ(rig.log.Count(kPreWarningPlayed), 0u);
}

TEST(SchedulerMinuteTick, EarlyWarningOnlyOnTheStepThatLeavesOneMinute) {
    for (const bool audiblePre : {true, false}) {
        SchedulerRig rig;
        rig.UseSoundFiles();
        rig.settings.InterruptEvery = 4;
        rig.settings.IntelliReset = false;
        rig.settings.AudiblePre = audiblePre;
        rig.Start();
        rig.AdvanceMinutes(12);
        EXPECT_EQ(rig.log.TimesOf(kPreWarningPlayed),
                  audiblePre ? MinuteMarks({3, 7, 11}) : Times{});
        EXPECT_EQ(rig.log.TimesOf("show form"), MinuteMarks({4, 8, 12}));
    }
}

// ---------------------------------------------------------------- minute tick: exercise

TEST(SchedulerExercise, LabelShowsOneLessThanTheCounterUpToTheReminder) {
    for (const bool audibleX : {true, false}) {
        SchedulerRig rig;
        rig.UseSoundFiles();
        rig.settings.EveryM = 50;
        rig.settings.AudibleX = audibleX;
        rig.Start();
        EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 49 minutes");
        for (int minute = 1; minute < 50; ++minute) {
            rig.AdvanceMinutes(1);
            ASSERT_EQ(rig.view.Caption(ViewLabel::lblExercise),
                      "Next Exercise Break: " + std::to_string(49 - minute) + " minutes");
        }
        EXPECT_EQ(rig.log.Count("reminder"), 0u);

        rig.AdvanceMinutes(1);
        EXPECT_TRUE(rig.state().ExerciseReminderPending);
        EXPECT_EQ(rig.log.TimesOf("reminder"), MinuteMarks({50}));
        // The label reads 0 (due now) first, then the warning sounds, then the reminder
        // opens.
        const std::string due = "lblExercise = Next Exercise Break: 0 minutes";
        EXPECT_EQ(rig.log.TimesOf(due), MinuteMarks({49, 50}));
        const int label = rig.log.LastIndexOf(due);
        const int sound = rig.log.IndexOf(kExerciseWarningPlayed);
        ASSERT_GE(label, 0);
        EXPECT_LT(label, rig.log.IndexOf("reminder"));
        if (audibleX) {
            EXPECT_LT(label, sound);
            EXPECT_LT(sound, rig.log.IndexOf("reminder"));
        } else {
            EXPECT_EQ(sound, -1);
        }
    }
}

TEST(SchedulerExercise, EveryMZeroIsOffAndNeverReminds) {
    SchedulerRig rig;
    rig.settings.EveryM = 0;
    rig.Start();
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: off");
    rig.AdvanceMinutes(300);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_FALSE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: off");
}

// The exercise countdown waits while its reminder shows; micropauses go on.
TEST(SchedulerExercise, PendingReminderHoldsOnlyTheExerciseCountdown) {
    SchedulerRig rig;
    rig.settings.EveryM = 3;
    rig.settings.InterruptEvery = 2;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.AdvanceMinutes(3);
    ASSERT_TRUE(rig.state().ExerciseReminderPending);

    rig.AdvanceMinutes(6);
    EXPECT_EQ(rig.state().MinutesToExercise, 0);
    // Due now, while the reminder shows.
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 0 minutes");
    EXPECT_EQ(rig.log.TimesOf("show form"), MinuteMarks({2, 4, 6, 8}));

    // The reminder closes with "Later" for 5 minutes.
    rig.scheduler.ReminderClosed();
    rig.scheduler.PostponeExercise(5);
    rig.AdvanceMinutes(5);
    EXPECT_EQ(rig.log.TimesOf("reminder"), MinuteMarks({3, 14}));
}

// ---------------------------------------------------------------- idle poll

TEST(SchedulerIdlePoll, TwoIdlePeriodsInARowAreTwoNaturalMicropauses) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 60;
    rig.settings.InterruptEvery = 3;
    rig.Start();
    rig.AdvanceMinutes(2);
    EXPECT_EQ(Texts(rig.CaptionsOf(ViewLabel::lblvoluntary)),
              (std::vector<std::string>{"Last natural micropause: 09:01",
                                        "Last natural micropause: 09:02"}));
    // Each one restarted the countdown, so idling never runs into a micropause.
    EXPECT_EQ(rig.state().MinutesToMicropause, 3);
    rig.AdvanceMinutes(20);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
}

TEST(SchedulerIdlePoll, OnlyAStrictlyLaterHookTimeIsActivity) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 10;
    rig.Start();
    const std::int32_t seeded = rig.state().LastInputTime[kKeyboard];
    struct Case {
        std::int32_t hookTime;
        bool rest;
    };
    // Equal to the stored time, then one later, then earlier than the stored time.
    for (const Case c : {Case{seeded, true}, Case{seeded + 1, false}, Case{seeded - 5, true}}) {
        rig.log.Clear();
        rig.hook.SetTime(kKeyboard, c.hookTime);
        rig.hook.SetTime(kMouse, rig.state().LastInputTime[kMouse]);
        rig.AdvanceSeconds(10);
        EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), c.rest ? 1u : 0u)
            << c.hookTime - seeded;
    }
}

TEST(SchedulerIdlePoll, EitherKindIsActivityAndBothTimesAreAlwaysStored) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 10;
    rig.Start();
    rig.AdvanceSeconds(3);
    rig.hook.Input(kMouse);
    const std::int32_t mouseTime = static_cast<std::int32_t>(rig.clock.TickCount());
    rig.AdvanceSeconds(3);
    rig.hook.Input(kKeyboard);
    const std::int32_t keyTime = static_cast<std::int32_t>(rig.clock.TickCount());
    rig.AdvanceSeconds(4);  // the poll at 10 s
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
    EXPECT_EQ(rig.state().LastInputTime[kKeyboard], keyTime);
    EXPECT_EQ(rig.state().LastInputTime[kMouse], mouseTime);

    // Mouse alone keeps it from being a rest.
    rig.AdvanceSeconds(5);
    rig.hook.Input(kMouse);
    rig.AdvanceSeconds(5);
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
    // Nothing at all is one.
    rig.AdvanceSeconds(10);
    EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), 1u);
}

TEST(SchedulerIdlePoll, IntelliResetDecidesWhetherARestRestartsTheCountdown) {
    for (const bool reset : {true, false}) {
        SchedulerRig rig;
        rig.settings.InterruptFor = 15;
        rig.settings.InterruptEvery = 4;
        rig.settings.IntelliReset = reset;
        rig.Start();
        rig.AdvanceMinutes(3);  // idle throughout
        EXPECT_FALSE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
        EXPECT_EQ(rig.state().MinutesToMicropause, reset ? 4 : 1) << reset;
    }
}

// Hook times run on across the sign change at 2^31 and the wrap at 2^32; input just
// after either must still be seen as later than input just before.
TEST(SchedulerIdlePoll, TickCountPassingTheSignBitOrWrappingIsNoRest) {
    for (const std::uint32_t crossing : {0x8000'0000u, 0x0000'0000u}) {
        SchedulerRig rig(crossing - 5000);
        rig.settings.InterruptFor = 15;
        rig.Start();
        rig.AdvanceSeconds(2);
        rig.hook.Input(kKeyboard);  // before the crossing
        rig.AdvanceSeconds(8);
        rig.hook.Input(kKeyboard);  // after it
        rig.AdvanceSeconds(5);      // the poll at 15 s
        EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty()) << crossing;
        // The next period without input still is one.
        rig.AdvanceSeconds(15);
        EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), 1u) << crossing;
    }
}

TEST(SchedulerIdlePoll, NothingMonitoredOrNoLibraryProvesNoRest) {
    enum class Setup { NothingMonitored, NoLibrary, MouseOnly };
    for (const Setup setup : {Setup::NothingMonitored, Setup::NoLibrary, Setup::MouseOnly}) {
        SchedulerRig rig;
        rig.settings.InterruptFor = 15;
        rig.settings.InterruptEvery = 4;
        if (setup == Setup::NoLibrary) {
            rig.hook.SetAvailable(false);
        } else {
            rig.settings.Monitor = {false, setup == Setup::MouseOnly};
            rig.hook.InstallFilter(kKeyboard, kFilterOff);
            rig.hook.InstallFilter(kMouse, rig.settings.Monitor[kMouse] ? kFilterOn : kFilterOff);
        }
        rig.Start();
        rig.AdvanceSeconds(5);
        rig.hook.Input(kKeyboard);  // never recorded
        rig.AdvanceMinutes(4);
        if (setup == Setup::MouseOnly) {
            // One monitored kind is enough to prove a rest.
            EXPECT_FALSE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
            continue;
        }
        EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());
        // The countdown is never restarted, so the micropause comes on time.
        EXPECT_EQ(rig.log.TimesOf("show form"), MinuteMarks({4}));
        // The hook was still asked, and its answers kept.
        EXPECT_GT(rig.hook.Polls(), 0);
        EXPECT_EQ(rig.state().LastInputTime[kKeyboard], rig.hook.RilGetTime(kKeyboard));
    }
}

TEST(SchedulerIdlePoll, ARunningExerciseBreakTakesTheSecondsTick) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.exercise.inProgress = true;
    const int polls = rig.hook.Polls();
    const std::int32_t value = rig.progressBar.Value();
    rig.AdvanceSeconds(1);  // ten ticks of 100 ms
    EXPECT_EQ(rig.exercise.secondsTicks, 10);
    EXPECT_EQ(rig.progressBar.Value(), value);
    EXPECT_EQ(rig.hook.Polls(), polls);
}

// ---------------------------------------------------------------- settings apply

TEST(SchedulerApply, MicropauseCountdownMovesByTheChangeButKeepsTwoMinutes) {
    SchedulerRig rig;
    rig.UseSoundFiles();
    rig.settings.InterruptEvery = 10;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.AdvanceMinutes(7);
    ASSERT_EQ(rig.state().MinutesToMicropause, 3);

    rig.settings.InterruptEvery = 4;
    rig.scheduler.ApplyMicropauseTiming();
    EXPECT_EQ(rig.state().MinutesToMicropause, 2);
    EXPECT_EQ(rig.state().MicropauseInterval, 4);
    rig.AdvanceMinutes(6);
    EXPECT_EQ(rig.log.TimesOf(kPreWarningPlayed), MinuteMarks({8, 12}));
    EXPECT_EQ(rig.log.TimesOf("show form"), MinuteMarks({9, 13}));

    // 4 to 10 minutes with 3 to go: 9 to go.
    rig.AdvanceMinutes(1);
    ASSERT_EQ(rig.state().MinutesToMicropause, 3);
    rig.settings.InterruptEvery = 10;
    rig.scheduler.ApplyMicropauseTiming();
    EXPECT_EQ(rig.state().MinutesToMicropause, 9);
}

// The idle poll takes the new length at once; a running micropause keeps its 100 ms
// steps and polls with the new length when it ends.
TEST(SchedulerApply, NewLengthTakesEffectWhenIdle) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.AdvanceSeconds(20);
    rig.settings.InterruptFor = 30;
    rig.scheduler.ApplyMicropauseTiming();
    EXPECT_EQ(rig.tSeconds.Interval(), 30000u);
    EXPECT_EQ(rig.tSeconds.Due(), 50 * kMsPerSecond);

    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(5);
    rig.settings.InterruptFor = 40;
    rig.scheduler.ApplyMicropauseTiming();
    EXPECT_EQ(rig.tSeconds.Interval(), 100u);
    rig.clock.Advance(24'900);  // 299 steps for the 30 s it started with
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.tSeconds.Interval(), 40000u);
}

TEST(SchedulerApply, ExerciseCountdownIsCutOnlyByAShorterInterval) {
    SchedulerRig rig;
    rig.settings.EveryM = 50;
    rig.Start();
    rig.AdvanceMinutes(15);
    ASSERT_EQ(rig.state().MinutesToExercise, 35);
    rig.settings.EveryM = 60;
    rig.scheduler.ApplyExerciseInterval();
    EXPECT_EQ(rig.state().MinutesToExercise, 35);
    rig.settings.EveryM = 20;
    rig.scheduler.ApplyExerciseInterval();
    EXPECT_EQ(rig.state().MinutesToExercise, 20);
}

// Values far outside what the loader lets through still count without overflow.
TEST(SchedulerApply, CountdownsStayInRangeAtTheExtremes) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    SchedulerRig rig;
    rig.Start();
    rig.scheduler.PostponeExercise(kMin + 1);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.state().MinutesToExercise, kMin);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: off");
    EXPECT_EQ(rig.log.Count("reminder"), 0u);

    rig.settings.InterruptEvery = kMax;
    rig.scheduler.SetTimers();
    rig.settings.InterruptEvery = kMin;
    rig.scheduler.ApplyMicropauseTiming();  // kMax + kMin - kMax
    EXPECT_EQ(rig.state().MinutesToMicropause, 2);
    rig.settings.InterruptEvery = kMax;
    rig.scheduler.ApplyMicropauseTiming();  // 2 + kMax - kMin
    EXPECT_EQ(rig.state().MinutesToMicropause, kMax);
}

// ---------------------------------------------------------------- a working day

// One day at a virtual desk, 09:00 to 17:00. The user types (a key every 5 s, at
// 2 s past each 5 s mark), stops while a micropause screen shows, and rests:
//   09:25-09:27  coffee, two whole minutes without input
//   11:00-11:05  mouse work only
//   12:00-13:00  lunch
//   14:30:00-14:30:10 and 16:40:00-16:40:08  short pauses (15 s between inputs)
//   15:00-15:05  a walk
// The tick count passes 2^31 at 10:00. Micropause every 10 minutes, 15 s long; an
// exercise reminder every hour, which the user postpones by another hour at once.
TEST(SchedulerDay, ScriptedWorkingDay) {
    const auto at = [](int h, int m, int s = 0) -> std::uint64_t {
        return ((h - 9) * 3600ull + m * 60ull + s) * kMsPerSecond;
    };
    constexpr std::uint32_t kTwoTo31 = 0x8000'0000u;
    SchedulerRig rig(kTwoTo31 - static_cast<std::uint32_t>(at(10, 0)));
    rig.UseSoundFiles();
    rig.settings.InterruptFor = 15;
    rig.settings.InterruptEvery = 10;
    rig.settings.EveryM = 60;
    rig.exercise.onReminder = [&] {
        rig.scheduler.ReminderClosed();
        rig.scheduler.PostponeExercise(60);
    };

    struct Work {
        std::uint64_t from, to;
        int kind;
    };
    const std::vector<Work> work{
        {at(9, 0), at(9, 25), kKeyboard},   {at(9, 27), at(11, 0), kKeyboard},
        {at(11, 0), at(11, 5), kMouse},     {at(11, 5), at(12, 0), kKeyboard},
        {at(13, 0), at(14, 30), kKeyboard}, {at(14, 30, 10), at(15, 0), kKeyboard},
        {at(15, 5), at(16, 40), kKeyboard}, {at(16, 40, 8), at(17, 0), kKeyboard},
    };
    const auto kindAt = [&](std::uint64_t t) -> std::optional<int> {
        for (const Work& w : work) {
            if (t >= w.from && t < w.to) {
                return w.kind;
            }
        }
        return std::nullopt;
    };

    rig.Start();
    for (std::uint64_t t = 2 * kMsPerSecond; t < at(17, 0); t += 5 * kMsPerSecond) {
        rig.clock.AdvanceTo(t);
        const auto kind = kindAt(t);
        if (kind && !rig.view.FormVisible()) {
            rig.hook.Input(*kind);
        }
    }
    rig.clock.AdvanceTo(at(17, 0));

    // Forced micropauses come every 10 minutes while the user works; the first ends
    // 14.9 s in, so from then on the idle polls fall at 14.9, 29.9, 44.9 and 59.9 s
    // past each minute. A rest of whole minutes thus holds 4 polls per minute, the
    // last 0.1 s before it ends, and restarts the countdown there: the next forced
    // micropause comes 9 minutes after the rest. Mouse work and the 15 s pauses are
    // no rest.
    Times forced;
    const auto everyTen = [&](std::uint64_t from, std::uint64_t before) {
        for (std::uint64_t t = from; t < before; t += Minutes(10)) {
            forced.push_back(t);
        }
    };
    everyTen(at(9, 10), at(9, 25));
    everyTen(at(9, 36), at(12, 0));
    everyTen(at(13, 9), at(15, 0));
    everyTen(at(15, 14), at(17, 0));
    ASSERT_EQ(forced.size(), 40u);
    EXPECT_EQ(rig.log.TimesOf("show form"), forced);
    EXPECT_EQ(rig.log.Count(kStartWarningPlayed), forced.size());

    Times early;
    for (const auto t : forced) {
        early.push_back(t - Minutes(1));
    }
    EXPECT_EQ(rig.log.TimesOf(kPreWarningPlayed), early);

    const auto naturals = rig.CaptionsOf(ViewLabel::lblvoluntary);
    const auto countWithin = [&](std::uint64_t from, std::uint64_t to) {
        std::size_t n = 0;
        for (const auto& e : naturals) {
            n += e.at >= from && e.at < to;
        }
        return n;
    };
    EXPECT_EQ(countWithin(at(9, 25), at(9, 27)), 8u);
    EXPECT_EQ(countWithin(at(12, 0), at(13, 0)), 240u);
    EXPECT_EQ(countWithin(at(15, 0), at(15, 5)), 20u);
    EXPECT_EQ(naturals.size(), 268u);
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblvoluntary), "Last natural micropause: 15:04");
    EXPECT_EQ(rig.view.Caption(ViewLabel::lblrilto), "Last rilto micropause: 16:54");

    Times hourly;
    for (int h = 10; h <= 17; ++h) {
        hourly.push_back(at(h, 0));
    }
    EXPECT_EQ(rig.log.TimesOf("reminder"), hourly);
    EXPECT_EQ(rig.log.TimesOf(kExerciseWarningPlayed), hourly);
}

}  // namespace
}  // namespace rilto
