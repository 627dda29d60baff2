// Whether the user is at the machine, on its own: what input, a lock and a sleep say, and
// how long the user was away when they are back.

#include "engine/presence.h"

#include <gtest/gtest.h>

#include "common/minute.h"
#include "fakes/virtual_clock.h"

namespace rilto {
namespace {

using fakes::kMsPerDay;
using fakes::kMsPerHour;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;
using fakes::VirtualClock;

struct PresenceRig {
    explicit PresenceRig(std::uint32_t startTick = 5'000'000)
        : clock(startTick), presence(settings, clock, kRealMinuteMs) {
        settings.AwayM = 10;
        presence.Seed(clock.TickCount());
    }
    std::uint32_t Now() { return clock.TickCount(); }

    Settings settings;
    VirtualClock clock;
    Presence presence;
};

TEST(Presence, InputMarksTheUserPresentAtItsOwnTimeAndAwayMMinutesWithoutIsAway) {
    PresenceRig rig;
    EXPECT_EQ(rig.presence.AwayMs(), 0u) << "start-up: the user is here now";
    EXPECT_FALSE(rig.presence.Away());

    rig.clock.Advance(5 * kMsPerMinute);
    rig.presence.Observe(rig.Now() - kMsPerMinute);  // typed a minute before this poll
    EXPECT_EQ(rig.presence.AwayMs(), kMsPerMinute);
    // The same input read again, or an older one, says nothing new.
    rig.clock.Advance(kMsPerMinute);
    rig.presence.Observe(rig.Now() - 2 * kMsPerMinute);
    rig.presence.Observe(rig.Now() - 3 * kMsPerMinute);
    EXPECT_EQ(rig.presence.AwayMs(), 2 * kMsPerMinute);

    rig.clock.Advance(8 * kMsPerMinute - 1);
    EXPECT_FALSE(rig.presence.Away()) << "a millisecond short of AwayM";
    rig.clock.Advance(1);
    EXPECT_TRUE(rig.presence.Away());
    rig.presence.Observe(rig.Now());
    EXPECT_FALSE(rig.presence.Away());
    EXPECT_EQ(rig.presence.AwayMs(), 0u);
}

TEST(Presence, AwayMBelowOneMinuteCountsAsOne) {
    for (const std::int32_t awayM : {0, 1}) {
        SCOPED_TRACE(awayM);
        PresenceRig rig;
        rig.settings.AwayM = awayM;
        EXPECT_FALSE(rig.presence.Away());
        rig.clock.Advance(kMsPerMinute - 1);
        EXPECT_FALSE(rig.presence.Away());
        rig.clock.Advance(1);
        EXPECT_TRUE(rig.presence.Away());
    }
}

// The tick count turns negative as a signed number after 24.8 days: input still counts.
TEST(Presence, AUserAtTheMachineForWeeksStaysPresent) {
    PresenceRig rig;
    for (std::uint64_t hour = 0; hour < 30 * 24; ++hour) {
        rig.clock.Advance(kMsPerHour);
        rig.presence.Observe(rig.Now() - kMsPerSecond);
        ASSERT_EQ(rig.presence.AwayMs(), kMsPerSecond) << "hour " << hour;
    }
    EXPECT_GT(rig.clock.Elapsed(), 25 * kMsPerDay);

    // Started when the machine was up that long already.
    PresenceRig late(3'000'000'000u);
    late.clock.Advance(5 * kMsPerMinute);
    late.presence.Observe(late.Now() - kMsPerSecond);
    EXPECT_EQ(late.presence.AwayMs(), kMsPerSecond);
}

TEST(Presence, ALockedSessionIsTimeAwayWhateverInputComesAndUnlockingEndsIt) {
    PresenceRig rig;
    EXPECT_EQ(rig.presence.Unlocked(), std::nullopt) << "not locked: nothing ends";
    rig.presence.Locked();
    rig.presence.Locked();  // said twice
    EXPECT_TRUE(rig.presence.Shut());
    rig.clock.Advance(3 * kMsPerMinute);
    rig.presence.Observe(rig.Now());  // the lock screen's
    EXPECT_EQ(rig.presence.AwayMs(), 3 * kMsPerMinute);
    rig.clock.Advance(2 * kMsPerMinute);

    EXPECT_EQ(rig.presence.Unlocked(), 5 * kMsPerMinute);
    EXPECT_FALSE(rig.presence.Shut());
    EXPECT_EQ(rig.presence.AwayMs(), 0u) << "present from the unlock on";
    EXPECT_EQ(rig.presence.Unlocked(), std::nullopt) << "said once more: nothing";
}

TEST(Presence, ASleepIsTimeAwayAndInputAfterItsGraceWakesTheMachine) {
    PresenceRig rig;
    EXPECT_EQ(rig.presence.Resumed(), std::nullopt) << "not asleep: nothing ends";
    EXPECT_EQ(rig.presence.InputSeen(rig.Now() + 5 * kMsPerSecond), std::nullopt);
    const std::uint32_t suspended = rig.Now();
    rig.presence.Suspended();
    rig.clock.Sleep(kMsPerHour);
    rig.clock.Advance(0);
    rig.presence.Suspended();  // said again later: the sleep began at the first
    EXPECT_TRUE(rig.presence.Shut());

    // Input from before the sleep, and input within the two seconds Windows gives to
    // make ready for it, say nothing.
    EXPECT_EQ(rig.presence.InputSeen(suspended - kMsPerSecond), std::nullopt);
    EXPECT_EQ(rig.presence.InputSeen(suspended - kMsPerHour), std::nullopt);
    EXPECT_EQ(rig.presence.InputSeen(suspended + 2 * kMsPerSecond), std::nullopt);
    EXPECT_TRUE(rig.presence.Shut());
    EXPECT_EQ(rig.presence.InputSeen(suspended + 2 * kMsPerSecond + 1), kMsPerHour);
    EXPECT_FALSE(rig.presence.Shut());
    EXPECT_EQ(rig.presence.AwayMs(), 0u);
    EXPECT_EQ(rig.presence.Resumed(), std::nullopt) << "the notice after the input";

    // Input up to 24.8 days after a sleep is from after it.
    rig.presence.Suspended();
    const std::uint32_t again = rig.Now();
    EXPECT_EQ(rig.presence.InputSeen(again + 0x8000'0000u), std::nullopt);
    EXPECT_TRUE(rig.presence.Shut());
    EXPECT_TRUE(rig.presence.InputSeen(again + 0x7FFF'FFFFu).has_value());
    EXPECT_FALSE(rig.presence.Shut());

    // Asleep in a locked session: back only when both ended.
    rig.presence.Locked();
    rig.presence.Suspended();
    rig.clock.Sleep(kMsPerHour);
    rig.clock.Advance(0);
    EXPECT_EQ(rig.presence.Resumed(), std::nullopt);
    EXPECT_TRUE(rig.presence.Shut());
    rig.clock.Advance(kMsPerMinute);
    EXPECT_EQ(rig.presence.Unlocked(), kMsPerHour + kMsPerMinute);
    EXPECT_FALSE(rig.presence.Shut());
}

}  // namespace
}  // namespace rilto
