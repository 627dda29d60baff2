// A change of the clock or of the time zone: the tray's "paused until hh:nn" is worked
// out again in the new local time, as the menu's is at every display.

#include <gtest/gtest.h>

#include "fakes/exercise_rig.h"

namespace rilto {
namespace {

TEST(TimeChanged, ThePausedTipFollowsANewTimeZone) {
    fakes::ExerciseRig rig;
    rig.Start();
    rig.core.PauseFor(30);
    ASSERT_EQ(rig.status.pausedUntil, "09:30");
    // The zone moves an hour on: the pause still ends at the same instant, an hour later
    // on the wall clock.
    rig.clock.SpringForwardAt(rig.clock.UtcNow());
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.pausedUntil, "10:30");
    EXPECT_EQ(rig.core.TrayMenu().pausedUntil, "10:30");
    // Told again with nothing changed: the same.
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.pausedUntil, "10:30");
}

TEST(TimeChanged, AClockSetPastThePausesEndEndsIt) {
    fakes::ExerciseRig rig;
    rig.Start();
    rig.core.PauseFor(30);
    rig.clock.ShiftWall(-3600);  // set back: the pause still lasts the half hour asked for
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.pausedUntil, "08:30");
    EXPECT_TRUE(rig.core.pause().Active());
    rig.clock.ShiftWall(2 * 3600);  // now past its end
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.pausedUntil, "");
    EXPECT_FALSE(rig.core.pause().Active());
}

TEST(TimeChanged, WithoutAPauseTheTipStaysEmpty) {
    fakes::ExerciseRig rig;
    rig.Start();
    rig.clock.SpringForwardAt(rig.clock.UtcNow());
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.pausedUntil, "");
}

}  // namespace
}  // namespace rilto
