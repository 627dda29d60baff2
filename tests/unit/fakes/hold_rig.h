#pragma once
// The scheduler rig with holds and a pause, as the program wires them: a foreground that
// the test sets, the gate's timer that looks at it every 2 seconds, and a pause kept in
// a store in memory.

#include "common/memory_settings_store.h"
#include "engine/hold.h"
#include "engine/pause.h"
#include "fakes/scheduler_rig.h"

namespace rilto::fakes {

struct FakeHoldProbe : HoldProbe {
    ForegroundView Look() override {
        ++looks;
        return view;
    }
    ForegroundView view;
    int looks = 0;
};

struct HoldRig : SchedulerRig {
    HoldRig() : gate(settings, probe, tHold, clock, kRealMinuteMs), pause(store, clock, tPause) {
        tHold.OnTick([this] { gate.Look(); });
        tPause.OnTick([this] { pause.Check(); });
        pause.OnChange([this] { scheduler.PauseChanged(); });
        scheduler.SetHoldGate(gate);
        scheduler.SetPause(pause);
        settings.IntelliReset = false;
    }

    // Another program fills the screen, or stops filling it.
    void FullScreen(bool on) { probe.view.coversMonitor = on; }
    // Minutes since the test began of each micropause shown, and of each reminder.
    std::uint64_t Minutes(std::uint64_t ms) const { return ms / kMsPerMinute; }

    FakeHoldProbe probe;
    FakeTimer tHold{clock, "tHold"};
    FakeTimer tPause{clock, "tPause"};
    MemorySettingsStore store;
    HoldGate gate;
    Pause pause;
};

}  // namespace rilto::fakes
