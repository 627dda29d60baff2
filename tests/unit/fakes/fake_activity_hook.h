#pragma once
// The hook library as the program sees it: a time per input kind that moves to the
// virtual tick count when the test feeds input of that kind while it is recorded.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/activity_hook.h"
#include "fakes/virtual_clock.h"
#include "common/settings.h"

namespace rilto::fakes {

class FakeActivityHook : public ActivityHook {
  public:
    explicit FakeActivityHook(VirtualClock& clock) : clock_(clock) {
        times_.fill(static_cast<std::int32_t>(clock.TickCount()));
    }

    std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) override {
        recording_[kind] = flag != kFilterOff;
        return 0;
    }
    std::int32_t RilGetTime(std::int32_t kind) override {
        ++polls_;
        return available_ ? times_[kind] : 0;
    }
    bool Available() const override { return available_; }

    // The user presses a key (kKeyboard) or moves the mouse (kMouse) now.
    void Input(int kind) {
        if (available_ && recording_[kind]) {
            times_[kind] = static_cast<std::int32_t>(clock_.TickCount());
        }
    }
    void SetTime(int kind, std::int32_t time) { times_[kind] = time; }
    void SetAvailable(bool available) { available_ = available; }
    bool Recording(int kind) const { return recording_[kind]; }
    int Polls() const { return polls_; }

  private:
    VirtualClock& clock_;
    std::array<std::int32_t, kInputKinds> times_{};
    std::array<bool, kInputKinds> recording_{true, true};
    bool available_ = true;
    int polls_ = 0;
};

}  // namespace rilto::fakes
