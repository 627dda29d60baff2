#pragma once
// The daily limit's window, recorded: when it was shown, with what, and whether it is open.

#include <cstdint>
#include <vector>

#include "engine/daily_limit.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

struct FakeDailyLimitView : DailyLimitView {
    explicit FakeDailyLimitView(VirtualClock& clock) : clock_(clock) {}
    void ShowDailyLimit(std::int32_t workedMinutes, std::int32_t limitMinutes) override {
        open = true;
        shownAt.push_back(clock_.Elapsed());
        worked.push_back(workedMinutes);
        limit = limitMinutes;
    }
    void CloseDailyLimit() override {
        open = false;
        ++closed;
    }

    bool open = false;
    // Milliseconds since the test began of each showing, and the active minutes it said.
    std::vector<std::uint64_t> shownAt;
    std::vector<std::int32_t> worked;
    std::int32_t limit = 0;
    int closed = 0;

  private:
    VirtualClock& clock_;
};

}  // namespace rilto::fakes
