#pragma once
// Whether the user is at the machine. Input marks them present; no input for AwayM
// minutes is time away, and so is a locked session or a sleeping machine, whatever input
// the lock screen or a remote session makes meanwhile.

#include <cstdint>
#include <optional>

#include "common/settings.h"
#include "engine/clock.h"

namespace rilto {

class Presence {
  public:
    Presence(const Settings& settings, Clock& clock, std::uint32_t minuteMs);

    // Start-up: the user is here now; `latestInput` is the newest input time there is.
    void Seed(std::uint32_t latestInput);
    // The newest input time a poll read (the hooks' or Windows'). New input marks the user
    // present at its time, unless the session is locked or the machine asleep.
    void Observe(std::uint32_t latestInput);
    // The user is at the screen now, input or not (they read): present from now, unless
    // the session is locked or the machine asleep.
    void MarkPresent();

    // The session locks or unlocks, the machine suspends or resumes; each said once or
    // more. When the user is back at last (unlocked and awake), the ending returns how
    // long they were away, and they count as present from now.
    void Locked();
    std::optional<std::uint64_t> Unlocked();
    void Suspended();
    std::optional<std::uint64_t> Resumed();
    // Input of any kind, seen by anyone, at `inputTick`: input after the machine went to
    // sleep says it is awake, the notice of its waking lost or not sent. As Resumed.
    std::optional<std::uint64_t> InputSeen(std::uint32_t inputTick);

    // Locked or asleep: input now is not the user at this machine.
    bool Shut() const { return locked_ || asleep_; }
    // Milliseconds since the user was last present.
    std::uint64_t AwayMs();
    // Away for AwayM minutes or more.
    bool Away();

  private:
    std::optional<std::uint64_t> BackIfOpen();

    const Settings& settings_;
    Clock& clock_;
    const std::uint64_t minuteMs_;
    // TickCount64 when the user was last present.
    std::uint64_t presentAt_ = 0;
    // The newest input time read so far, counted or not.
    std::uint32_t lastSeen_ = 0;
    bool locked_ = false;
    bool asleep_ = false;
    // The tick count when the machine was said to go to sleep.
    std::uint32_t suspendedAt_ = 0;
};

}  // namespace rilto
