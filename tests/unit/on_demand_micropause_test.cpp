// A micropause asked for while one is held: it takes the held one's place, so the hold
// has nothing left to keep.

#include <gtest/gtest.h>

#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerMinute;

TEST(OnDemandMicropause, TakesTheHeldOnesPlaceAndTheNextIsHeldAFreshMaxM) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.MaxM = 20;
    rig.Start();
    rig.FullScreen(true);
    rig.AdvanceMinutes(5);
    ASSERT_TRUE(rig.state().MicropauseHeld);
    ASSERT_TRUE(rig.tHold.Enabled());

    rig.scheduler.RiltoMicropause();
    EXPECT_FALSE(rig.state().MicropauseHeld);
    EXPECT_FALSE(rig.tHold.Enabled());  // nothing waits: no more looks
    ASSERT_EQ(rig.log.Count("show form"), 1u);

    // The next falls due some three minutes on, still full screen: held for MaxM minutes
    // from then, not from the first hold.
    rig.AdvanceMinutes(20);
    EXPECT_EQ(rig.log.Count("show form"), 1u);
    rig.AdvanceMinutes(10);
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 2u);
    EXPECT_GE(rig.log.TimesOf("show form")[1], 27 * kMsPerMinute);
}

}  // namespace
}  // namespace rilto
