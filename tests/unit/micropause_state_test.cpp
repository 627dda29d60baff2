// What a micropause's start leaves behind of the one before (a held one is done with, a
// skip is not carried over into how the new one is counted), and a micropause hurried to
// its end.

#include <gtest/gtest.h>

#include "engine/statistics_book.h"
#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerMinute;
using fakes::SchedulerRig;

TEST(MicropauseStartState, TakesTheHeldOnesPlaceAndTheNextIsHeldAFreshMaxM) {
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

TEST(MicropauseStartState, OnlyTheSkippedOneCountsAsSkipped) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.settings.DisableEsc = false;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(3);
    rig.scheduler.Skip();
    rig.AdvanceSeconds(1);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(20);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    const DayFigures today = rig.core.statistics().Today();
    EXPECT_EQ(today[DayCount::skipped], 1);
    EXPECT_EQ(today[DayCount::micropauses], 1);
}

TEST(MicropauseHurry, LeavesTheBarOneShortOfFullSoTheNextStepEndsIt) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 15;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(2);
    ASSERT_EQ(rig.progressBar.Max(), 150);
    EXPECT_TRUE(rig.scheduler.HurryMicropause(10));
    EXPECT_EQ(rig.progressBar.Value(), 149);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.clock.Advance(100);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_EQ(rig.progressBar.Value(), 150);
    // Cut short, it was not taken.
    EXPECT_EQ(rig.core.statistics().Today()[DayCount::skipped], 1);
    EXPECT_EQ(rig.core.statistics().Today()[DayCount::micropauses], 0);

    // Within the last steps, or with no micropause running, it leaves things as they are.
    rig.scheduler.RiltoMicropause();
    rig.clock.Advance(14'000);
    const std::int32_t value = rig.progressBar.Value();
    EXPECT_FALSE(rig.scheduler.HurryMicropause(10));
    EXPECT_EQ(rig.progressBar.Value(), value);
    rig.AdvanceSeconds(2);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    EXPECT_FALSE(rig.scheduler.HurryMicropause(10));
}

TEST(MicropauseStartState, TheStatusWindowAfterABlankMicropauseIsNotMaximised) {
    SchedulerRig rig;
    rig.settings.InterruptFor = 5;
    rig.settings.Blank = true;
    rig.Start();
    rig.scheduler.RiltoMicropause();
    ASSERT_EQ(rig.view.State(), WindowState::Maximised);
    rig.AdvanceSeconds(6);
    ASSERT_FALSE(rig.state().MicropauseRunning);
    rig.scheduler.StatusRequested();
    EXPECT_TRUE(rig.view.FormVisible());
    EXPECT_EQ(rig.view.State(), WindowState::Normal);

    // Nor is it when OK closes it before it was ever asked for.
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(6);
    ASSERT_EQ(rig.view.State(), WindowState::Maximised);
    rig.scheduler.StatusOk();
    EXPECT_EQ(rig.view.State(), WindowState::Normal);
}

}  // namespace
}  // namespace rilto
