#pragma once
// The scheduler rig's holds and pause: a foreground and calls that the test sets, the
// gate's timer that looks at them every 2 seconds, and a pause kept in the store in memory.

#include <cstdint>

#include "engine/calls.h"
#include "engine/hold.h"
#include "engine/pause.h"
#include "fakes/scheduler_rig.h"

namespace rilto::fakes {

struct HoldRig : SchedulerRig {
    HoldRig() : gate(core.holdGate()), pause(core.pause()) { settings.IntelliReset = false; }

    // Another program fills the screen, or stops filling it.
    void FullScreen(bool on) { probe.view.coversMonitor = on; }
    // A desktop program begins a call `ago` seconds before now, or every call ends.
    void Call(bool on, std::int64_t ago = 0) {
        probe.devices.clear();
        if (on) {
            probe.devices.push_back(DeviceUse{"C:#Program Files#Zoom#bin#Zoom.exe", false,
                                              FileTimeAt(clock.UtcNow() - ago)});
        }
    }
    // A FILETIME of seconds since 1970 UTC, as Windows records a use's beginning.
    static std::uint64_t FileTimeAt(std::int64_t utc) {
        return static_cast<std::uint64_t>(utc + 11'644'473'600) * 10'000'000;
    }
    // Minutes since the test began of each micropause shown, and of each reminder.
    std::uint64_t Minutes(std::uint64_t ms) const { return ms / kMsPerMinute; }

    HoldGate& gate;
    Pause& pause;
};

}  // namespace rilto::fakes
