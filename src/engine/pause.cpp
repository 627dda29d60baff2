#include "engine/pause.h"

#include <algorithm>

#include "common/civil_time.h"
#include "common/product.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr std::int64_t kLookAgainMs = 60'000;

}  // namespace

Pause::Pause(SettingsStore& store, Clock& clock, Timer& tPause)
    : store_(store), clock_(clock), tPause_(tPause) {}

void Pause::Check() {
    const bool was = until_.has_value();
    const std::string stored = store_.GetSetting(kOptions, kPausedUntilKey, "");
    const std::optional<std::int64_t> until = ParseUtc(stored);
    const std::int64_t now = clock_.UtcNow();
    if (until && *until > now && *until - now <= kMaxPauseAheadSeconds) {
        until_ = until;
        lastEnd_ = until;
        Arm();
    } else {
        until_.reset();
        tPause_.SetEnabled(false);
        if (!stored.empty()) {
            store_.DeleteSetting(kOptions, kPausedUntilKey);
        }
    }
    if (was != until_.has_value() && changed_) {
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
    return until_ && clock_.UtcNow() < *until_;
}

bool Pause::PausedWithinLast(std::int64_t seconds) {
    return Active() || (lastEnd_ && clock_.UtcNow() - *lastEnd_ < seconds);
}

std::string Pause::UntilText() {
    if (!Active()) {
        return {};
    }
    const CivilDateTime end = clock_.ToLocal(*until_);
    return FormatHourMinute(end.hour, end.minute);
}

void Pause::Begin(std::int64_t until) {
    until_ = until;
    lastEnd_ = until;
    store_.SaveSetting(kOptions, kPausedUntilKey, FormatUtc(until));
    Arm();
    if (changed_) {
        changed_();
    }
}

void Pause::End() {
    const bool was = until_.has_value();
    if (Active()) {
        lastEnd_ = clock_.UtcNow();  // resumed before its time
    }
    until_.reset();
    tPause_.SetEnabled(false);
    store_.DeleteSetting(kOptions, kPausedUntilKey);
    if (was && changed_) {
        changed_();
    }
}

void Pause::Arm() {
    const std::int64_t leftMs = (*until_ - clock_.UtcNow()) * 1000;
    tPause_.SetInterval(
        static_cast<std::uint32_t>(std::clamp<std::int64_t>(leftMs, 1, kLookAgainMs)));
    tPause_.SetEnabled(true);
}

}  // namespace rilto
