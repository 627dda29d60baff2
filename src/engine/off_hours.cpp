#include "engine/off_hours.h"

#include <algorithm>
#include <vector>

#include "common/text.h"

namespace rilto {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kMsPerSecond = 1000;
// The timer looks again within the hour however far the next change is, so that a wall
// clock that drifts from the timer, or a change of the clock whose notice was missed, is
// followed within the hour. An hour's tick costs nothing.
constexpr std::int64_t kLookAgainMs = 3'600'000;
// From yesterday, whose ranges may run past midnight into today, to a week and a day on:
// every weekday's ranges, whatever today is.
constexpr std::int64_t kFirstDay = -1;
constexpr std::int64_t kLastDay = 8;

// How far local time is ahead of UTC at an instant.
std::int64_t OffsetAt(Clock& clock, std::int64_t utc) {
    return SecondsFromCivil(clock.ToLocal(utc)) - utc;
}

// The instant of `minutes` after the local midnight that begins `day` (days since
// 1970-01-01).
std::int64_t LocalInstant(Clock& clock, std::int64_t day, int minutes) {
    return clock.FromLocal(CivilFromSeconds(day * kSecondsPerDay + minutes * kSecondsPerMinute));
}

// Where the working hours may change, from yesterday's midnight on: each day's midnight
// and its ranges' starts and ends.
std::vector<std::int64_t> Boundaries(const WorkingHours& hours, Clock& clock, std::int64_t after) {
    const CivilDateTime now = clock.ToLocal(after);
    const std::int64_t today = DaysFromCivil(now.year, now.month, now.day);
    std::vector<std::int64_t> instants;
    for (std::int64_t day = today + kFirstDay; day <= today + kLastDay; ++day) {
        instants.push_back(LocalInstant(clock, day, 0));
        for (const TimeRange& r :
             hours.Day(WeekdayOf(CivilFromSeconds(day * kSecondsPerDay))).ranges) {
            instants.push_back(LocalInstant(clock, day, r.start));
            instants.push_back(
                LocalInstant(clock, day, r.PastMidnight() ? r.end + kMinutesPerDay : r.end));
        }
    }
    std::sort(instants.begin(), instants.end());
    instants.erase(std::unique(instants.begin(), instants.end()), instants.end());
    return instants;
}

// The changes of the zone's offset between the boundaries, where local time jumps: a
// boundary the clocks skip takes effect there. After a jump back, the local times passed
// a second time are boundaries a second time.
void AddOffsetChanges(Clock& clock, std::vector<std::int64_t>& instants) {
    std::vector<std::int64_t> added;
    for (std::size_t i = 1; i < instants.size(); ++i) {
        std::int64_t before = instants[i - 1];
        std::int64_t at = instants[i];
        const std::int64_t from = OffsetAt(clock, before);
        const std::int64_t to = OffsetAt(clock, at);
        if (from == to) {
            continue;
        }
        // A day apart at most: one change of the offset between them.
        while (at - before > 1) {
            const std::int64_t middle = before + (at - before) / 2;
            (OffsetAt(clock, middle) == to ? at : before) = middle;
        }
        added.push_back(at);
        if (to < from) {
            const std::int64_t back = from - to;
            for (const std::int64_t instant : instants) {
                if (instant < at && instant + back >= at &&
                    clock.ToLocal(instant + back) == clock.ToLocal(instant)) {
                    added.push_back(instant + back);
                }
            }
        }
    }
    instants.insert(instants.end(), added.begin(), added.end());
    std::sort(instants.begin(), instants.end());
}

}  // namespace

std::optional<std::int64_t> NextChange(const WorkingHours& hours, Clock& clock,
                                       std::int64_t after) {
    if (!hours.On()) {
        return std::nullopt;
    }
    std::vector<std::int64_t> instants = Boundaries(hours, clock, after);
    AddOffsetChanges(clock, instants);
    const bool working = hours.Working(clock.ToLocal(after));
    for (const std::int64_t instant : instants) {
        if (instant > after && hours.Working(clock.ToLocal(instant)) != working) {
            return instant;
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> NextStart(const WorkingHours& hours, Clock& clock, std::int64_t after) {
    const std::optional<std::int64_t> change = NextChange(hours, clock, after);
    if (!change || !hours.Working(clock.ToLocal(after))) {
        return change;
    }
    return NextChange(hours, clock, *change);
}

std::string StartText(const CivilDateTime& local) {
    return std::string(DayShortName(WeekdayOf(local))) + " " +
           FormatHourMinute(local.hour, local.minute);
}

OffHours::OffHours(const Settings& settings, Clock& clock, Timer& tSchedule)
    : settings_(settings), clock_(clock), tSchedule_(tSchedule) {}

void OffHours::Check() {
    const WorkingHours hours(settings_);
    const std::int64_t now = clock_.UtcNow();
    const bool was = active_;
    const std::string before = untilText_;
    active_ = !hours.Working(clock_.ToLocal(now));
    // While off, the next change is the next start.
    const std::optional<std::int64_t> change = NextChange(hours, clock_, now);
    untilText_ = active_ && change ? StartText(clock_.ToLocal(*change)) : std::string();
    if (was && !active_) {
        lastEndTick_ = clock_.TickCount64();
    } else if (!was && active_) {
        beganTick_ = clock_.TickCount64();
    }
    Arm(change, now);
    if ((was != active_ || before != untilText_) && changed_) {
        changed_();
    }
}

bool OffHours::OffWithinLast(std::int64_t seconds) {
    const std::uint64_t tick = clock_.TickCount64();
    if (active_) {
        return tick > beganTick_;
    }
    return lastEndTick_ &&
           tick - *lastEndTick_ < static_cast<std::uint64_t>(seconds) * kMsPerSecond;
}

void OffHours::Arm(std::optional<std::int64_t> change, std::int64_t now) {
    if (!change) {
        // Nothing will change until the options do, and Apply looks again.
        tSchedule_.SetEnabled(false);
        return;
    }
    tSchedule_.SetInterval(static_cast<std::uint32_t>(
        std::clamp<std::int64_t>((*change - now) * kMsPerSecond, 1, kLookAgainMs)));
    tSchedule_.SetEnabled(true);
}

}  // namespace rilto
