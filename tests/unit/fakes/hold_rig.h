#pragma once
// The scheduler rig's holds and pause: a foreground that the test sets, the gate's timer
// that looks at it every 2 seconds, and a pause kept in the store in memory.

#include "engine/hold.h"
#include "engine/pause.h"
#include "fakes/scheduler_rig.h"

namespace rilto::fakes {

struct HoldRig : SchedulerRig {
    HoldRig() : gate(core.holdGate()), pause(core.pause()) { settings.IntelliReset = false; }

    // Another program fills the screen, or stops filling it.
    void FullScreen(bool on) { probe.view.coversMonitor = on; }
    // Minutes since the test began of each micropause shown, and of each reminder.
    std::uint64_t Minutes(std::uint64_t ms) const { return ms / kMsPerMinute; }

    HoldGate& gate;
    Pause& pause;
};

}  // namespace rilto::fakes
