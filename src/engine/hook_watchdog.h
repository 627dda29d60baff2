#pragma once
// Windows removes a low-level hook without a word once its callback has been too slow,
// and from then on the hook library records nothing. The watchdog compares the hooks'
// newest time with the input Windows saw: input the hooks missed by more than a few
// seconds installs them again. Where they keep missing it (input Windows keeps from
// hooks), it tries again less and less often.
//
// Windows tells no kind of input from another. While both kinds are monitored, input
// the hooks missed proves them gone. With one kind alone, the missed input may have been
// of the other kind: the watchdog installs the one hook again all the same, by the same
// waits, as doing so costs next to nothing when it was still there, and leaving a
// removed hook alone would take the user for away.

#include <cstdint>

#include "common/settings.h"
#include "engine/activity_hook.h"

namespace rilto {

// Input the hooks missed by this much is no accident of timing.
inline constexpr std::uint32_t kHooksMissedMs = 3000;
// The waits before installing the hooks again, doubling from the first to the last.
inline constexpr std::uint32_t kFirstRetryMs = 10'000;
inline constexpr std::uint32_t kLastRetryMs = 600'000;

class HookWatchdog {
  public:
    HookWatchdog(const Settings& settings, ActivityHook& hook);

    // One poll: the hooks' newest input time, Windows' latest input, the tick count now.
    // Whether the hooks were installed again.
    bool Check(std::int32_t hooksNewest, std::uint32_t systemLatest, std::uint32_t now);
    // How often since start-up.
    int Reinstalls() const { return reinstalls_; }

  private:
    void Reinstall();

    const Settings& settings_;
    ActivityHook& hook_;
    int reinstalls_ = 0;
    // The tick count of the last reinstall, and the wait before the next may follow.
    std::uint32_t lastAt_ = 0;
    std::uint32_t retryMs_ = kFirstRetryMs;
};

}  // namespace rilto
