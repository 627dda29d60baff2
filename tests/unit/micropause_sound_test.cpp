// The micropause's start sound plays while the program goes on answering: its screen
// comes when the sound has ended, and not at all for a micropause ended meanwhile.

#include <gtest/gtest.h>

#include "engine/scheduler.h"
#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::kStartWarningPlayed;
using fakes::SchedulerRig;

TEST(MicropauseStartSound, TheScreenComesWhenTheSoundHasEnded) {
    for (const bool files : {true, false}) {
        SchedulerRig rig;
        if (files) {
            rig.UseSoundFiles();
        }
        rig.Start();
        rig.sound.HoldPatterns();
        rig.log.Clear();
        rig.scheduler.RiltoMicropause();
        EXPECT_TRUE(rig.state().MicropauseRunning);
        EXPECT_EQ(rig.log.Count(files ? kStartWarningPlayed : "beep"), files ? 1u : 4u);
        EXPECT_FALSE(rig.view.FormVisible()) << "not while the sound plays";
        EXPECT_FALSE(rig.tSeconds.Enabled()) << "the bar starts with the screen";

        rig.sound.FinishPatterns();
        EXPECT_TRUE(rig.view.FormVisible());
        EXPECT_TRUE(rig.view.Topmost());
        EXPECT_TRUE(rig.tSeconds.Enabled());
        EXPECT_LT(rig.log.IndexOf(files ? kStartWarningPlayed : "beep"),
                  rig.log.IndexOf("show form"));
    }
}

TEST(MicropauseStartSound, AMicropauseEndedWhileItSoundsShowsNoScreen) {
    SchedulerRig rig;
    rig.Start();
    rig.sound.HoldPatterns();
    rig.scheduler.RiltoMicropause();
    rig.scheduler.Suspending();
    ASSERT_FALSE(rig.state().MicropauseRunning);
    rig.sound.FinishPatterns();
    EXPECT_FALSE(rig.view.FormVisible());
    EXPECT_FALSE(rig.view.Topmost());
}

TEST(MicropauseStartSound, WithoutSoundTheScreenComesAtOnce) {
    SchedulerRig rig;
    rig.settings.Audible = false;
    rig.Start();
    rig.sound.HoldPatterns();
    rig.scheduler.RiltoMicropause();
    EXPECT_TRUE(rig.view.FormVisible());
    EXPECT_EQ(rig.sound.Patterns(), 0);
}

}  // namespace
}  // namespace rilto
