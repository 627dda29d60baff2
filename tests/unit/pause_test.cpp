// A pause of the breaks: an absolute UTC end in the store, during which the countdowns
// hold still, which survives a restart and ends by itself, also after a sleep.

#include <gtest/gtest.h>

#include "common/civil_time.h"
#include "common/product.h"
#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerMinute;

std::string Stored(const HoldRig& rig) {
    return rig.store.GetSetting(kOptions, kPausedUntilKey, "<none>");
}

TEST(Pause, TheCountdownsHoldStillAndGoOnFromWhereTheyStood) {
    HoldRig rig;  // 2026-03-28 09:00, an hour ahead of UTC
    rig.settings.InterruptEvery = 4;
    rig.settings.EveryM = 10;
    rig.settings.IntelliReset = true;
    rig.Start();
    for (int s = 0; s < 2 * 60; s += 5) {  // at work
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(5);
    }
    int changes = 0;
    rig.pause.OnChange([&] {
        ++changes;
        rig.scheduler.PauseChanged();
    });
    rig.pause.For(30);
    EXPECT_EQ(Stored(rig), "2026-03-28T08:32:00Z");
    EXPECT_EQ(rig.pause.UntilText(), "09:32");
    rig.AdvanceMinutes(29);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_TRUE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty());  // the pause is no rest
    rig.AdvanceMinutes(1);
    EXPECT_EQ(changes, 2);  // begun, and ended by itself
    EXPECT_EQ(Stored(rig), "<none>");
    EXPECT_EQ(rig.pause.UntilText(), "");
    // Two minutes were left to the micropause, eight to the reminder.
    rig.hook.Input(kKeyboard);
    for (int s = 0; s < 9 * 60; s += 5) {
        rig.hook.Input(kKeyboard);
        rig.AdvanceSeconds(5);
    }
    ASSERT_FALSE(rig.log.TimesOf("show form").empty());
    EXPECT_EQ(rig.log.TimesOf("show form")[0] / kMsPerMinute, 34u);
    EXPECT_EQ(rig.log.TimesOf("reminder"), std::vector<std::uint64_t>{40 * kMsPerMinute});
}

TEST(Pause, SurvivesARestartAndEndsByItselfAfterASleep) {
    HoldRig rig;
    rig.pause.For(60);
    // The next start reads it back.
    fakes::FakeTimer timer(rig.clock, "tPause again");
    Pause again(rig.store, rig.clock, timer);
    int changes = 0;
    again.OnChange([&] { ++changes; });
    timer.OnTick([&] { again.Check(); });
    again.Check();
    EXPECT_TRUE(again.Active());
    EXPECT_EQ(again.UntilText(), "10:00");
    EXPECT_EQ(changes, 1);  // the tray learns of it at start-up

    // The machine sleeps through its end; the first look after it ends it.
    rig.clock.Sleep(3 * 60 * kMsPerMinute);
    rig.clock.Advance(0);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(again.Active());
    EXPECT_EQ(Stored(rig), "<none>");
}

TEST(Pause, UntilTomorrowIsTheNextLocalMidnightAcrossTheClocksGoingForward) {
    // On 2026-03-29 at 01:00 UTC local time jumps from 02:00 to 03:00.
    const std::int64_t change = SecondsFromCivil({2026, 3, 29, 1, 0, 0});
    HoldRig late;  // starts at 09:00 on the 28th
    late.clock.SpringForwardAt(change);
    late.clock.Advance(14 * 60 * kMsPerMinute + 30 * kMsPerMinute);  // 23:30
    late.pause.UntilTomorrow();
    EXPECT_EQ(Stored(late), "2026-03-28T23:00:00Z");  // midnight, still an hour ahead
    late.clock.Advance(60 * kMsPerMinute);            // 00:30 on the 29th
    late.pause.UntilTomorrow();
    EXPECT_EQ(Stored(late), "2026-03-29T22:00:00Z");  // the next midnight, two hours ahead
    // Two hours from 00:30 pass the change: they end at 03:30 by the clock, two real
    // hours later.
    late.pause.For(120);
    EXPECT_EQ(Stored(late), "2026-03-29T01:30:00Z");
    EXPECT_EQ(late.pause.UntilText(), "03:30");
    late.clock.Advance(119 * kMsPerMinute);
    EXPECT_TRUE(late.pause.Active());
    late.clock.Advance(kMsPerMinute);
    EXPECT_FALSE(late.pause.Active());
}

TEST(Pause, AStoredValueThatIsNoPauseIsCleared) {
    HoldRig rig;  // 2026-03-28T08:00:00Z
    struct Case {
        const char* stored;
        bool paused;
    };
    for (const Case& c : {Case{"2026-03-28T09:00:00Z", true}, Case{"2026-03-30T07:59:00Z", true},
                          Case{"2026-03-30T08:00:01Z", false},  // more than 48 hours ahead
                          Case{"2026-03-28T07:59:59Z", false},  // over
                          Case{"2026-02-30T09:00:00Z", false}, Case{"soon", false},
                          Case{"2026-03-28 09:00:00Z", false}, Case{"", false}}) {
        rig.store.SaveSetting(kOptions, kPausedUntilKey, c.stored);
        rig.pause.Check();
        EXPECT_EQ(rig.pause.Active(), c.paused) << c.stored;
        // Empty is no pause already; anything else that is none is cleared.
        EXPECT_EQ(Stored(rig), c.paused || *c.stored == '\0' ? c.stored : "<none>") << c.stored;
    }
}

// The pause's timer looks again at the end, or within a minute when the end is further:
// a tick at each minute, not at each second.
TEST(Pause, ItsTimerLooksAgainAtTheEndOrWithinAMinute) {
    HoldRig rig;  // 2026-03-28T08:00:00Z
    rig.pause.For(30);
    EXPECT_TRUE(rig.tPause.Enabled());
    EXPECT_EQ(rig.tPause.Interval(), 60'000u);
    rig.store.SaveSetting(kOptions, kPausedUntilKey, "2026-03-28T08:00:45Z");
    rig.pause.Check();
    EXPECT_EQ(rig.tPause.Interval(), 45'000u);
    rig.clock.Advance(44'999);
    EXPECT_TRUE(rig.pause.Active());
    EXPECT_EQ(rig.tPause.Ticks(), 0);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.pause.Active());
    EXPECT_EQ(rig.tPause.Ticks(), 1);
    EXPECT_FALSE(rig.tPause.Enabled());
    EXPECT_EQ(Stored(rig), "<none>");

    // Resumed early: the timer stops with it, no look a minute on.
    rig.pause.For(30);
    ASSERT_TRUE(rig.tPause.Enabled());
    rig.pause.Resume();
    EXPECT_FALSE(rig.tPause.Enabled());
}

// A time sync or a restored virtual machine sets the clock back two hours just after the
// user resumed: the minutes count on at once, as they do without the change.
TEST(Pause, AClockSetBackAfterAResumeStopsNoCountdown) {
    HoldRig rig;  // 09:00 local
    rig.settings.InterruptEvery = 10;
    rig.settings.EveryM = 20;
    rig.Start();
    rig.AdvanceMinutes(2);
    ASSERT_EQ(rig.state().MinutesToMicropause, 8);
    rig.core.PauseFor(30);
    rig.AdvanceMinutes(5);
    rig.core.Resume();
    rig.clock.ShiftWall(-2 * 3600);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.state().MinutesToMicropause, 5);
    EXPECT_EQ(rig.state().MinutesToExercise, 15);
    EXPECT_FALSE(rig.pause.PausedWithinLast(60));
    rig.AdvanceMinutes(5);
    EXPECT_EQ(rig.log.Count("show form"), 1u);
}

// The same change while paused: the pause ends when the user asked, by the time that
// passed, and the new clock's end is what the tray and the store show.
TEST(Pause, AClockSetBackDuringAPauseEndsItWhenTheUserAsked) {
    HoldRig rig;  // 09:00 local, 08:00 UTC
    rig.settings.InterruptEvery = 10;
    rig.Start();
    rig.core.PauseFor(30);
    EXPECT_EQ(Stored(rig), "2026-03-28T08:30:00Z");
    rig.AdvanceMinutes(10);
    rig.clock.ShiftWall(-2 * 3600);  // 07:10 local
    EXPECT_TRUE(rig.pause.Active());
    rig.AdvanceMinutes(1);  // the pause's timer looks at the clock
    EXPECT_EQ(Stored(rig), "2026-03-28T06:30:00Z");
    EXPECT_EQ(rig.pause.UntilText(), "07:30");
    EXPECT_EQ(rig.status.pausedUntil, "07:30");
    {
        // A restart reads the end as it stands now.
        fakes::FakeTimer timer(rig.clock, "tPause again");
        Pause again(rig.store, rig.clock, timer);
        again.Check();
        EXPECT_EQ(again.UntilText(), "07:30");
    }
    rig.AdvanceMinutes(18);
    EXPECT_TRUE(rig.pause.Active());
    EXPECT_EQ(rig.state().MinutesToMicropause, 10);
    rig.AdvanceMinutes(1);
    EXPECT_FALSE(rig.pause.Active());
    EXPECT_EQ(Stored(rig), "<none>");
    EXPECT_EQ(rig.status.pausedUntil, "");
    rig.AdvanceMinutes(2);
    EXPECT_EQ(rig.state().MinutesToMicropause, 8);
}

// Paused within the last stretch is measured on the time that passed: a clock set
// forward or back after the pause neither lengthens nor shortens it.
TEST(Pause, PausedWithinTheLastStretchFollowsTheTimeThatPassed) {
    for (const std::int64_t shift : {-2 * 3600, 0, 3600}) {
        HoldRig rig;
        rig.pause.For(1);
        rig.clock.Advance(20 * fakes::kMsPerSecond);
        rig.pause.Resume();
        rig.clock.ShiftWall(shift);
        rig.clock.Advance(59 * fakes::kMsPerSecond);
        EXPECT_TRUE(rig.pause.PausedWithinLast(60)) << shift;
        EXPECT_FALSE(rig.pause.PausedWithinLast(59)) << shift;
        rig.clock.Advance(fakes::kMsPerSecond);
        EXPECT_FALSE(rig.pause.PausedWithinLast(60)) << shift;
        EXPECT_FALSE(rig.pause.PausedWithinLast(-7200)) << shift;
    }
}

}  // namespace
}  // namespace rilto
