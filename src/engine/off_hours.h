#pragma once
// Off hours: the time outside the working hours of "Schedule", while it is on. The breaks
// treat it as a pause: the countdowns hold still, no break falls due, and what waited
// goes on at the next start. One timer, tSchedule, is set to the next change of state;
// nothing polls.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/civil_time.h"
#include "common/settings.h"
#include "engine/clock.h"
#include "engine/timer.h"
#include "engine/working_hours.h"

namespace rilto {

// The first instant after `after` at which breaks start or stop coming, by the time
// zone's rules for each date: a range's start or end, a midnight (a day whose text cannot
// be read works all day), or a change of the zone's offset that skips or repeats one of
// them. Nothing when the state never changes (the hours are off, or the same at every
// hour of the week).
std::optional<std::int64_t> NextChange(const WorkingHours& hours, Clock& clock, std::int64_t after);
// The first instant after `after` at which breaks start coming; nothing when no day has
// working hours.
std::optional<std::int64_t> NextStart(const WorkingHours& hours, Clock& clock, std::int64_t after);
// "Mon 09:00": the weekday's short name and the time.
std::string StartText(const CivilDateTime& local);

class OffHours {
  public:
    // The options in effect are read afresh at every Check.
    OffHours(const Settings& settings, Clock& clock, Timer& tSchedule);
    OffHours(const OffHours&) = delete;
    OffHours& operator=(const OffHours&) = delete;

    // Told when off hours begin or end, or their next start moves.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    // The state worked out for now, and tSchedule set to the next change: at start-up,
    // at each of its ticks, after a change of the clock or of the time zone, a wake-up
    // and the settings' Apply.
    void Check();
    // Off hours, as the last Check found.
    bool Active() const { return active_; }
    // Off hours at some moment of the last `seconds` that passed, before now: that stretch
    // was no work. Off hours that begin at this very moment leave the stretch before them
    // whole.
    bool OffWithinLast(std::int64_t seconds);
    // "Mon 09:00": the next start, while off hours last; empty while working, or when no
    // day has working hours.
    const std::string& UntilText() const { return untilText_; }

  private:
    void Arm(std::optional<std::int64_t> change, std::int64_t now);

    const Settings& settings_;
    Clock& clock_;
    Timer& tSchedule_;
    std::function<void()> changed_;
    bool active_ = false;
    std::string untilText_;
    // The tick counts at which the latest off hours began and ended.
    std::uint64_t beganTick_ = 0;
    std::optional<std::uint64_t> lastEndTick_;
};

}  // namespace rilto
