#include "engine/pause.h"

#include <algorithm>

#include "common/civil_time.h"
#include "common/product.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr std::int64_t kLookAgainMs = 60'000;
constexpr std::int64_t kMsPerSecond = 1000;
// The wall clock drifts from the tick count by seconds over two days; an end that moved
// by more than a minute is a clock that was set.
constexpr std::int64_t kClockSetMs = 60'000;

}  // namespace

Pause::Pause(SettingsStore& store, Clock& clock, Timer& tPause)
    : store_(store), clock_(clock), tPause_(tPause) {}

void Pause::Check() {
    const bool was = until_.has_value();
    const std::string stored = store_.GetSetting(kOptions, kPausedUntilKey, "");
    const std::optional<std::int64_t> until = ParseUtc(stored);
    const std::int64_t now = clock_.UtcNow();
    const std::uint64_t tick = clock_.TickCount64();
    const bool same = until && until_ && *until == *until_;
    bool moved = false;
    if (until && *until > now && *until - now <= kMaxPauseAheadSeconds &&
        (!same || tick < endTick_)) {
        if (!same) {
            endTick_ = tick + static_cast<std::uint64_t>((*until - now) * kMsPerSecond);
        }
        until_ = until;
        moved = FollowClockSetBack();
        Arm();
    } else {
        if (until_) {
            lastEndTick_ = std::min(EndTick(), tick);
        }
        until_.reset();
        tPause_.SetEnabled(false);
        if (!stored.empty()) {
            store_.DeleteSetting(kOptions, kPausedUntilKey);
        }
    }
    if ((moved || was != until_.has_value()) && changed_) {
        changed_();
    }
}

void Pause::For(std::int32_t minutes) {
    Begin(clock_.UtcNow() + std::int64_t{minutes} * 60);
}

void Pause::UntilTomorrow() {
    const std::int64_t now = clock_.UtcNow();
    Begin(std::max(now + 1, clock_.FromLocal(NextMidnight(clock_.ToLocal(now)))));
}

void Pause::Resume() {
    End();
}

bool Pause::Active() {
    return until_ && clock_.UtcNow() < *until_ && clock_.TickCount64() < endTick_;
}

bool Pause::PausedWithinLast(std::int64_t seconds) {
    longestAsked_ = std::max(longestAsked_, seconds);
    if (Active()) {
        return true;
    }
    const std::uint64_t tick = clock_.TickCount64();
    const std::optional<std::uint64_t> ended =
        until_ ? std::optional(std::min(EndTick(), tick)) : lastEndTick_;
    if (!ended) {
        return false;
    }
    const auto ago = static_cast<std::int64_t>(tick - *ended);
    if (!until_ && ago >= longestAsked_ * kMsPerSecond) {
        lastEndTick_.reset();  // no stretch asked about reaches back to it
    }
    return ago < seconds * kMsPerSecond;
}

std::string Pause::UntilText() {
    if (!Active()) {
        return {};
    }
    const CivilDateTime end = clock_.ToLocal(*until_);
    return FormatHourMinute(end.hour, end.minute);
}

void Pause::Begin(std::int64_t until) {
    const std::int64_t now = clock_.UtcNow();
    until_ = until;
    endTick_ = clock_.TickCount64() +
               static_cast<std::uint64_t>(std::max<std::int64_t>(until - now, 0) * kMsPerSecond);
    store_.SaveSetting(kOptions, kPausedUntilKey, FormatUtc(until));
    Arm();
    if (changed_) {
        changed_();
    }
}

void Pause::End() {
    const bool was = until_.has_value();
    if (was) {
        lastEndTick_ = std::min(EndTick(), clock_.TickCount64());  // now, if before its time
    }
    until_.reset();
    tPause_.SetEnabled(false);
    store_.DeleteSetting(kOptions, kPausedUntilKey);
    if (was && changed_) {
        changed_();
    }
}

std::uint64_t Pause::EndTick() {
    if (until_ && clock_.UtcNow() >= *until_) {
        return std::min(endTick_, clock_.TickCount64());  // the wall clock got there first
    }
    return endTick_;
}

bool Pause::FollowClockSetBack() {
    const std::int64_t now = clock_.UtcNow();
    const auto tickLeftMs = static_cast<std::int64_t>(endTick_ - clock_.TickCount64());
    if ((*until_ - now) * kMsPerSecond - tickLeftMs <= kClockSetMs) {
        return false;
    }
    until_ = now + (tickLeftMs + kMsPerSecond - 1) / kMsPerSecond;
    store_.SaveSetting(kOptions, kPausedUntilKey, FormatUtc(*until_));
    return true;
}

void Pause::Arm() {
    const std::uint64_t tick = clock_.TickCount64();
    const std::int64_t wallLeftMs = (*until_ - clock_.UtcNow()) * kMsPerSecond;
    const std::int64_t tickLeftMs =
        endTick_ > tick ? static_cast<std::int64_t>(endTick_ - tick) : 0;
    tPause_.SetInterval(static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(std::min(wallLeftMs, tickLeftMs), 1, kLookAgainMs)));
    tPause_.SetEnabled(true);
}

}  // namespace rilto
