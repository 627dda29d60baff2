#pragma once
// A clock that moves only when a test moves it, and form timers that fire from it.
// Advancing fires every timer that falls due on the way, in order of due time, so a
// simulated day runs in milliseconds. A timer that fires starts its next period at
// once; whatever its tick does to it (a new interval, disabling) overrides that.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/civil_time.h"
#include "engine/clock.h"
#include "engine/timer.h"
#include "fakes/event_log.h"

namespace rilto::fakes {

inline constexpr std::uint64_t kMsPerSecond = 1000;
inline constexpr std::uint64_t kMsPerMinute = 60 * kMsPerSecond;
inline constexpr std::uint64_t kMsPerHour = 60 * kMsPerMinute;
inline constexpr std::uint64_t kMsPerDay = 24 * kMsPerHour;

class FakeTimer;

class VirtualClock : public Clock {
  public:
    // The tick count and the local time of the moment the test begins.
    // Local time is an hour ahead of UTC until SpringForwardAt makes it two; the test
    // begins on 2026-03-28.
    explicit VirtualClock(std::uint32_t startTick = 0, LocalTime startTime = {9, 0})
        : startTick_(startTick),
          startUtc_(SecondsFromCivil({2026, 3, 28, startTime.hour, startTime.minute, 0}) -
                    kStandardOffset) {}

    std::uint32_t TickCount() override {
        return startTick_ + static_cast<std::uint32_t>(now_);  // wraps like GetTickCount
    }
    std::uint64_t TickCount64() override { return startTick_ + now_; }
    LocalTime Now() override {
        const std::int64_t local = UtcNow() + OffsetAt(UtcNow());
        const std::uint64_t ofDay =
            static_cast<std::uint64_t>(((local % 86400) + 86400) % 86400) * kMsPerSecond;
        return LocalTime{static_cast<int>(ofDay / kMsPerHour),
                         static_cast<int>(ofDay % kMsPerHour / kMsPerMinute)};
    }

    std::int64_t UtcNow() override {
        return startUtc_ + wallShift_ + static_cast<std::int64_t>(now_ / kMsPerSecond);
    }
    CivilDateTime ToLocal(std::int64_t utc) override {
        return CivilFromSeconds(utc + OffsetAt(utc));
    }
    std::int64_t FromLocal(const CivilDateTime& local) override {
        const std::int64_t wall = SecondsFromCivil(local);
        // Passed twice: the first, in summer time.
        for (const std::int64_t offset : {kSummerOffset, kStandardOffset}) {
            if (OffsetAt(wall - offset) == offset) {
                return wall - offset;
            }
        }
        return wall - kStandardOffset;  // skipped: as if the clocks had not moved yet
    }
    // The wall clock is set forward (or back, when negative) by `seconds`, as a time sync,
    // a user or a restored virtual machine does; the tick count runs on untouched.
    void ShiftWall(std::int64_t seconds) { wallShift_ += seconds; }
    // From this instant on, local time is two hours ahead of UTC.
    void SpringForwardAt(std::int64_t utc) { summerFrom_ = utc; }
    // From this instant on, local time is one hour ahead of UTC again.
    void FallBackAt(std::int64_t utc) { summerUntil_ = utc; }

    // Milliseconds since the test began.
    std::uint64_t Elapsed() const { return now_; }
    // Fires the timers that fall due up to and including `elapsed`.
    void AdvanceTo(std::uint64_t elapsed);
    void Advance(std::uint64_t ms) { AdvanceTo(now_ + ms); }
    // The machine sleeps: time passes and no timer fires; each one that fell due meanwhile
    // fires once when the machine wakes, at the next Advance.
    void Sleep(std::uint64_t ms);

  private:
    friend class FakeTimer;

    static constexpr std::int64_t kStandardOffset = 3600;
    static constexpr std::int64_t kSummerOffset = 7200;
    std::int64_t OffsetAt(std::int64_t utc) const {
        return utc >= summerFrom_ && utc < summerUntil_ ? kSummerOffset : kStandardOffset;
    }

    std::uint32_t startTick_;
    std::int64_t startUtc_;
    std::int64_t summerFrom_ = INT64_MAX;
    std::int64_t summerUntil_ = INT64_MAX;
    std::int64_t wallShift_ = 0;
    std::uint64_t now_ = 0;
    // Timers that fall due at the same moment fire in the order they were armed.
    std::uint64_t armings_ = 0;
    std::vector<FakeTimer*> timers_;
};

class FakeTimer : public Timer {
  public:
    FakeTimer(VirtualClock& clock, std::string name, EventLog* log = nullptr)
        : clock_(clock), name_(std::move(name)), log_(log) {
        clock_.timers_.push_back(this);
    }
    ~FakeTimer() override {
        auto& all = clock_.timers_;
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    FakeTimer(const FakeTimer&) = delete;
    FakeTimer& operator=(const FakeTimer&) = delete;

    void OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

    void SetInterval(std::uint32_t ms) override {
        interval_ = ms;
        Log("interval " + std::to_string(ms));
        if (enabled_) {
            Arm();
        }
    }
    std::uint32_t Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override {
        if (enabled == enabled_) {
            return;
        }
        enabled_ = enabled;
        Log(enabled ? "on" : "off");
        Arm();
    }
    bool Enabled() const override { return enabled_; }

    // When the next tick comes, in virtual milliseconds since the test began.
    bool Armed() const { return armed_; }
    std::uint64_t Due() const { return due_; }
    int Ticks() const { return ticks_; }

  private:
    friend class VirtualClock;

    void Arm() {
        armed_ = enabled_ && interval_ > 0;
        due_ = clock_.now_ + interval_;
        arming_ = ++clock_.armings_;
    }
    void Fire() {
        ++ticks_;
        Arm();
        if (tick_) {
            tick_();
        }
    }
    void Log(const std::string& what) {
        if (log_ != nullptr) {
            log_->Add(clock_.now_, name_ + " " + what);
        }
    }

    VirtualClock& clock_;
    std::string name_;
    EventLog* log_;
    std::function<void()> tick_;
    std::uint32_t interval_ = 0;
    bool enabled_ = false;
    bool armed_ = false;
    std::uint64_t due_ = 0;
    std::uint64_t arming_ = 0;
    int ticks_ = 0;
};

inline void VirtualClock::Sleep(std::uint64_t ms) {
    now_ += ms;
    for (FakeTimer* t : timers_) {
        t->due_ = std::min(t->due_, now_);
    }
}

inline void VirtualClock::AdvanceTo(std::uint64_t elapsed) {
    for (;;) {
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers_) {
            if (t->armed_ && t->due_ <= elapsed &&
                (next == nullptr || t->due_ < next->due_ ||
                 (t->due_ == next->due_ && t->arming_ < next->arming_))) {
                next = t;
            }
        }
        if (next == nullptr) {
            break;
        }
        now_ = std::max(now_, next->due_);
        next->Fire();
    }
    now_ = std::max(now_, elapsed);
}

}  // namespace rilto::fakes
