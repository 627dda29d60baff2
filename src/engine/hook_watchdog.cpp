#include "engine/hook_watchdog.h"

#include <algorithm>

#include "engine/system_input.h"

namespace rilto {

namespace {

std::int32_t Signed(std::uint32_t tick) {
    return static_cast<std::int32_t>(tick);
}

}  // namespace

HookWatchdog::HookWatchdog(const Settings& settings, ActivityHook& hook)
    : settings_(settings), hook_(hook) {}

bool HookWatchdog::Check(std::int32_t hooksNewest, std::uint32_t systemLatest, std::uint32_t now) {
    const bool anyMonitored = std::any_of(settings_.Monitor.begin(), settings_.Monitor.end(),
                                          [](bool monitored) { return monitored; });
    if (!anyMonitored || !hook_.Available()) {
        return false;
    }
    const bool reinstalledBefore = reinstalls_ > 0;
    // Input the hooks saw since the last reinstall: they work, and may be tried at once.
    if (reinstalledBefore && IsLater(hooksNewest, Signed(lastAt_))) {
        retryMs_ = kFirstRetryMs;
    }
    // What the hooks saw last, or the reinstall if that came later: input after it that
    // they missed.
    std::int32_t seen = hooksNewest;
    if (reinstalledBefore && IsLater(Signed(lastAt_), seen)) {
        seen = Signed(lastAt_);
    }
    const auto missedFrom = static_cast<std::uint32_t>(seen) + kHooksMissedMs;
    if (!IsLater(Signed(systemLatest), Signed(missedFrom))) {
        return false;
    }
    if (reinstalledBefore && !IsLater(Signed(now), Signed(lastAt_ + retryMs_ - 1))) {
        return false;
    }
    if (reinstalledBefore) {
        retryMs_ = std::min(retryMs_ * 2, kLastRetryMs);
    }
    lastAt_ = now;
    Reinstall();
    return true;
}

// Off and on again: the library drops whatever is left of the old hook and sets a new one.
void HookWatchdog::Reinstall() {
    ++reinstalls_;
    for (std::int32_t kind = 0; kind < kInputKinds; ++kind) {
        if (settings_.Monitor[static_cast<std::size_t>(kind)]) {
            hook_.InstallFilter(kind, kFilterOff);
            hook_.InstallFilter(kind, kFilterOn);
        }
    }
}

}  // namespace rilto
