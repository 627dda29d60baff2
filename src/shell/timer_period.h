#pragma once
// A timer that knows where its period stands: the scheduler's minute timer, so that the
// status can tell the next micropause to the second although the countdowns count whole
// minutes. It passes every call on to the timer it wraps, and notes when a period
// begins: the timer armed, its interval set anew while it runs, or a tick.

#include <cstdint>
#include <optional>

#include "engine/clock.h"
#include "engine/timer.h"

namespace rilto {

class TimerPeriod : public Timer {
  public:
    TimerPeriod(Timer& timer, Clock& clock) : timer_(timer), clock_(clock) {}

    void SetInterval(std::uint32_t ms) override;
    std::uint32_t Interval() const override { return timer_.Interval(); }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return timer_.Enabled(); }

    // The timer fired: a new period begins.
    void Ticked();
    // Milliseconds until the next tick; 0 for a tick that is late (the thread was busy).
    // Nothing while the timer stands still.
    std::optional<std::uint32_t> LeftInPeriod();

  private:
    Timer& timer_;
    Clock& clock_;
    std::uint64_t began_ = 0;
};

}  // namespace rilto
