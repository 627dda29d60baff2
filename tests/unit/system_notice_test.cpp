// Which of Windows' power and session notices count, and as what: every event number
// Windows sends in WM_POWERBROADCAST and WM_WTSSESSION_CHANGE, and some it does not.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "engine/system_notice.h"
#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::kMsPerMinute;
using fakes::SchedulerRig;

TEST(SystemNotice, BothResumesEndASleepAndOnlyTheSuspendBeginsOne) {
    const std::map<std::uintptr_t, SystemNotice> counted = {
        {0x4, SystemNotice::Suspended},  // PBT_APMSUSPEND
        {0x6, SystemNotice::Resumed},    // PBT_APMRESUMECRITICAL: a sleep without notice
        {0x7, SystemNotice::Resumed},    // PBT_APMRESUMESUSPEND: the user woke it
        {0x12, SystemNotice::Resumed},   // PBT_APMRESUMEAUTOMATIC: always
    };
    // The queries (which may still be refused), standby, battery, power status, OEM
    // events and power setting changes leave the machine as it is.
    for (std::uintptr_t event = 0; event <= 0x20; ++event) {
        const auto it = counted.find(event);
        EXPECT_EQ(PowerNotice(event), it == counted.end() ? SystemNotice::None : it->second)
            << event;
    }
    EXPECT_EQ(PowerNotice(0x8013), SystemNotice::None);  // PBT_POWERSETTINGCHANGE
    EXPECT_EQ(PowerNotice(0x4 + 0x10000), SystemNotice::None);
}

TEST(SystemNotice, ALockOrALostScreenTakesTheUserAwayAndOnlyAnUnlockBringsThemBack) {
    const std::map<std::uintptr_t, SystemNotice> counted = {
        {0x2, SystemNotice::Locked},    // WTS_CONSOLE_DISCONNECT: another user at the console
        {0x4, SystemNotice::Locked},    // WTS_REMOTE_DISCONNECT: the remote client left
        {0x7, SystemNotice::Locked},    // WTS_SESSION_LOCK
        {0x8, SystemNotice::Unlocked},  // WTS_SESSION_UNLOCK
    };
    // Connecting to a screen may still show the lock screen there; log-on, log-off,
    // remote control, creation and ending of a session say nothing of the lock.
    for (std::uintptr_t event = 0; event <= 0x10; ++event) {
        const auto it = counted.find(event);
        EXPECT_EQ(SessionNotice(event), it == counted.end() ? SystemNotice::None : it->second)
            << event;
    }
}

// What each notice does to the program, as the main window passes it on: either resume
// wakes it, and only a lock or a sleep keeps the user's input from counting.
TEST(SystemNotice, EitherResumeWakesTheProgramAndEitherLockKeepsTheUserAway) {
    for (const std::uintptr_t resume : {0x7u, 0x12u}) {
        SCOPED_TRACE(resume);
        SchedulerRig rig;
        rig.settings.InterruptEvery = 5;
        rig.settings.InterruptFor = 10;
        rig.settings.IntelliReset = true;
        rig.Start();
        rig.core.Noticed(PowerNotice(0x4));
        rig.clock.Sleep(kMsPerMinute);
        rig.core.Noticed(PowerNotice(resume));
        EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), 1u) << "the sleep was a rest";
        rig.core.Noticed(PowerNotice(0xA));  // the power status changed: nothing
        // Back at work: the micropause comes after its five minutes of work.
        for (int s = 0; s < 6 * 60; s += 5) {
            rig.hook.Input(kKeyboard);
            rig.AdvanceSeconds(5);
        }
        EXPECT_EQ(rig.log.Count("show form"), 1u);
    }
    for (const std::uintptr_t lock : {0x2u, 0x4u, 0x7u}) {
        SCOPED_TRACE(lock);
        SchedulerRig rig;
        rig.settings.InterruptFor = 10;
        rig.Start();
        rig.core.Noticed(SessionNotice(lock));
        rig.core.Noticed(SessionNotice(0x1));  // back on a screen, the lock screen perhaps
        for (int s = 0; s < 60; s += 5) {
            rig.hook.Input(kKeyboard);  // the lock screen's
            rig.AdvanceSeconds(5);
        }
        EXPECT_FALSE(rig.CaptionsOf(ViewLabel::lblvoluntary).empty()) << "no input counts";
        rig.core.Noticed(SessionNotice(0x8));
        const std::size_t rests = rig.CaptionsOf(ViewLabel::lblvoluntary).size();
        for (int s = 0; s < 60; s += 5) {
            rig.hook.Input(kKeyboard);
            rig.AdvanceSeconds(5);
        }
        EXPECT_EQ(rig.CaptionsOf(ViewLabel::lblvoluntary).size(), rests) << "input counts";
    }
}

}  // namespace
}  // namespace rilto
