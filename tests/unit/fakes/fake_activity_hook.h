#pragma once
// The hook library as the program sees it: a time per input kind that moves to the
// virtual tick count when the test feeds input of that kind while it is recorded. It is
// also Windows' own record of the latest input, which sees all of it, and it can lose
// its hooks as Windows removes them, until they are installed again, and it says whether
// the session is locked as the test sets it.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/activity_hook.h"
#include "engine/system_input.h"
#include "fakes/virtual_clock.h"
#include "common/settings.h"

namespace rilto::fakes {

class FakeActivityHook : public ActivityHook, public SystemInput {
  public:
    explicit FakeActivityHook(VirtualClock& clock) : clock_(clock) {
        times_.fill(static_cast<std::int32_t>(clock.TickCount()));
        system_ = clock.TickCount();
    }

    std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) override {
        recording_[kind] = flag != kFilterOff;
        if (recording_[kind]) {
            removed_[kind] = false;  // a new hook
        }
        ++installs_;
        return 0;
    }
    std::uint32_t LastInputTick() override { return system_; }
    std::optional<bool> SessionLocked() override { return sessionLocked_; }
    std::int32_t RilGetTime(std::int32_t kind) override {
        ++polls_;
        return available_ ? times_[kind] : 0;
    }
    bool Available() const override { return available_; }

    // The user presses a key (kKeyboard) or moves the mouse (kMouse) now.
    void Input(int kind) {
        system_ = clock_.TickCount();
        if (available_ && recording_[kind] && !removed_[kind]) {
            times_[kind] = static_cast<std::int32_t>(clock_.TickCount());
        }
    }
    // Windows removes the hooks without a word: input goes on, the hook times stand still.
    void RemoveHooks() { removed_.fill(true); }
    // Input only Windows counts: the lock screen's, say.
    void InputWindowsOnly() { system_ = clock_.TickCount(); }
    int Installs() const { return installs_; }
    void SetTime(int kind, std::int32_t time) { times_[kind] = time; }
    void SetAvailable(bool available) { available_ = available; }
    bool Recording(int kind) const { return recording_[kind]; }
    int Polls() const { return polls_; }
    // What Windows says of the session's lock; by default it cannot tell.
    void SetSessionLocked(std::optional<bool> locked) { sessionLocked_ = locked; }

  private:
    VirtualClock& clock_;
    std::array<std::int32_t, kInputKinds> times_{};
    std::array<bool, kInputKinds> recording_{true, true};
    std::array<bool, kInputKinds> removed_{};
    std::uint32_t system_ = 0;
    int installs_ = 0;
    bool available_ = true;
    int polls_ = 0;
    std::optional<bool> sessionLocked_;
};

}  // namespace rilto::fakes
