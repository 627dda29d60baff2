// The core's timers tick as often as they are meant to, no more: a timer that ticks a
// thousand times too often still does its work, so its interval is asserted itself.

#include <gtest/gtest.h>

#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;

TEST(CoreTimers, TheMinutesTimerTicksOnceAMinuteOfTheProgram) {
    for (const std::uint32_t minuteMs : {kRealMinuteMs, 2'500u}) {
        fakes::SchedulerRig rig(5'000'000, {9, 0}, minuteMs);
        rig.settings.InterruptFor = 20;
        rig.Start();
        EXPECT_TRUE(rig.tMinutes.Enabled()) << minuteMs;
        EXPECT_EQ(rig.tMinutes.Interval(), minuteMs) << minuteMs;
        EXPECT_TRUE(rig.tSeconds.Enabled()) << minuteMs;
        EXPECT_EQ(rig.tSeconds.Interval(), 20'000u) << minuteMs;
        rig.clock.Advance(10 * std::uint64_t{minuteMs});
        EXPECT_EQ(rig.tMinutes.Ticks(), 10) << minuteMs;
        EXPECT_FALSE(rig.tPause.Enabled()) << minuteMs;
        EXPECT_FALSE(rig.tHold.Enabled()) << minuteMs;
    }
}

// While a break waits for a hold, the foreground is looked at every two seconds, and
// not at all once nothing waits.
TEST(CoreTimers, TheHoldTimerLooksEveryTwoSecondsWhileABreakWaits) {
    HoldRig rig;
    rig.settings.InterruptEvery = 2;
    rig.Start();
    rig.FullScreen(true);
    rig.clock.Advance(2 * kMsPerMinute);
    ASSERT_TRUE(rig.state().MicropauseHeld);
    EXPECT_TRUE(rig.tHold.Enabled());
    EXPECT_EQ(rig.tHold.Interval(), 2'000u);
    const int looks = rig.probe.looks;
    const int ticks = rig.tHold.Ticks();
    rig.clock.Advance(60 * kMsPerSecond);
    EXPECT_EQ(rig.tHold.Ticks() - ticks, 30);
    EXPECT_LE(rig.probe.looks - looks, 31);
    rig.FullScreen(false);
    rig.clock.Advance(2 * kMsPerSecond);
    EXPECT_FALSE(rig.state().MicropauseHeld);
    EXPECT_FALSE(rig.tHold.Enabled());
}

}  // namespace
}  // namespace rilto
