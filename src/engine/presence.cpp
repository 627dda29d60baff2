#include "engine/presence.h"

#include <algorithm>

#include "engine/activity_hook.h"

namespace rilto {

namespace {

constexpr std::uint32_t kSuspendGraceMs = 2000;
// A tick count later than another by more than this is one from before it, wrapped.
constexpr std::uint32_t kMaxTickAge = 0x7FFF'FFFF;

}  // namespace

Presence::Presence(const Settings& settings, Clock& clock, std::uint32_t minuteMs)
    : settings_(settings), clock_(clock), minuteMs_(minuteMs) {}

void Presence::Seed(std::uint32_t latestInput) {
    lastSeen_ = latestInput;
    presentAt_ = clock_.TickCount64();
}

void Presence::Observe(std::uint32_t latestInput) {
    if (!IsLater(static_cast<std::int32_t>(latestInput), static_cast<std::int32_t>(lastSeen_))) {
        return;
    }
    lastSeen_ = latestInput;
    if (Shut()) {
        return;
    }
    // The input's own time, on the clock that does not wrap: it is at most one wrap old.
    const std::uint64_t now = clock_.TickCount64();
    const std::uint32_t age = clock_.TickCount() - latestInput;
    if (age <= now) {
        presentAt_ = std::max(presentAt_, now - age);
    }
}

void Presence::MarkPresent() {
    if (!Shut()) {
        presentAt_ = std::max(presentAt_, clock_.TickCount64());
    }
}

void Presence::Locked() {
    locked_ = true;
}

std::optional<std::uint64_t> Presence::Unlocked() {
    if (!locked_) {
        return std::nullopt;
    }
    locked_ = false;
    return BackIfOpen();
}

void Presence::Suspended() {
    if (!asleep_) {
        suspendedAt_ = clock_.TickCount();
    }
    asleep_ = true;
}

std::optional<std::uint64_t> Presence::Resumed() {
    if (!asleep_) {
        return std::nullopt;
    }
    asleep_ = false;
    return BackIfOpen();
}

// Windows gives a program up to two seconds to make ready for a sleep: input in those may
// still come before it.
std::optional<std::uint64_t> Presence::InputSeen(std::uint32_t inputTick) {
    if (!asleep_ || inputTick - suspendedAt_ > kMaxTickAge ||
        inputTick - suspendedAt_ <= kSuspendGraceMs) {
        return std::nullopt;
    }
    return Resumed();
}

std::optional<std::uint64_t> Presence::BackIfOpen() {
    if (Shut()) {
        return std::nullopt;
    }
    const std::uint64_t away = AwayMs();
    presentAt_ = clock_.TickCount64();
    return away;
}

std::uint64_t Presence::AwayMs() {
    const std::uint64_t now = clock_.TickCount64();
    return now > presentAt_ ? now - presentAt_ : 0;
}

bool Presence::Away() {
    return AwayMs() >= static_cast<std::uint64_t>(std::max(settings_.AwayM, 1)) * minuteMs_;
}

}  // namespace rilto
