#include "shell/timer_period.h"

namespace rilto {

// A form timer starts a new period whenever its interval is set while it runs, even to
// the same interval.
void TimerPeriod::SetInterval(std::uint32_t ms) {
    timer_.SetInterval(ms);
    if (timer_.Enabled()) {
        began_ = clock_.TickCount64();
    }
}

// Enabling a running timer keeps its period; enabling a stopped one starts one.
void TimerPeriod::SetEnabled(bool enabled) {
    const bool was = timer_.Enabled();
    timer_.SetEnabled(enabled);
    if (enabled && !was) {
        began_ = clock_.TickCount64();
    }
}

void TimerPeriod::Ticked() {
    began_ = clock_.TickCount64();
}

std::optional<std::uint32_t> TimerPeriod::LeftInPeriod() {
    const std::uint32_t interval = timer_.Interval();
    if (!timer_.Enabled() || interval == 0) {
        return std::nullopt;
    }
    const std::uint64_t passed = clock_.TickCount64() - began_;
    return passed >= interval ? 0 : static_cast<std::uint32_t>(interval - passed);
}

}  // namespace rilto
