#include "shell/status_report.h"

#include <algorithm>

#include "common/texts.h"
#include "shell/rilto_core.h"

namespace rilto {

namespace {

constexpr std::uint64_t kSecondsPerMinute = 60;

std::string MicropauseLine(const StatusFacts& facts) {
    if (facts.micropauseRunning) {
        return kStatusMicropauseOnScreen;
    }
    if (facts.exerciseInProgress) {
        return kStatusMicropauseAfterExercise;
    }
    if (facts.quiet) {
        return kStatusMicropauseOff;
    }
    if (facts.micropauseDue) {
        return kStatusMicropauseDue;
    }
    if (!facts.msToMicropause) {
        return kStatusMicropauseOff;
    }
    return kStatusNextMicropause + MinutesAndSeconds(*facts.msToMicropause, facts.minuteMs);
}

std::string ExerciseLine(const StatusFacts& facts) {
    if (facts.exerciseInProgress) {
        return kStatusExerciseInProgress;
    }
    if (facts.exercisesOff || facts.quiet) {
        return kStatusExerciseOff;
    }
    if (facts.exerciseDue) {
        return kStatusExerciseDue;
    }
    if (!facts.msToExercise) {
        return kStatusExerciseOff;
    }
    // Whole minutes still to come, as the status window counts them.
    const std::uint64_t minutes = *facts.msToExercise / std::max<std::uint32_t>(facts.minuteMs, 1);
    return kStatusNextExercise + std::to_string(minutes) +
           (minutes == 1 ? kStatusMinute : kStatusMinutes);
}

std::optional<std::string> HoldLine(const StatusFacts& facts) {
    switch (facts.holdReason) {
        case HoldReason::FullScreen:
            return kStatusHeldFullScreen;
        case HoldReason::Notifications:
            return kStatusHeldNotifications;
        case HoldReason::FocusAssist:
            return kStatusHeldFocusAssist;
        case HoldReason::Program:
            return kStatusHeldProgram;
        case HoldReason::Call:
            return kStatusHeldCall;
        case HoldReason::None:
            break;
    }
    if (facts.holding) {
        return kStatusHeld;
    }
    return std::nullopt;
}

// The countdown's minutes to its break: the tick that takes it below 1 brings it, at the
// end of the minute under way.
std::uint64_t MsToCountdownEnd(std::int32_t counter, std::uint32_t left, std::uint32_t minuteMs) {
    return static_cast<std::uint64_t>(std::max(counter, 1) - 1) * minuteMs + left;
}

}  // namespace

std::string MinutesAndSeconds(std::uint64_t ms, std::uint32_t minuteMs) {
    const std::uint64_t minute = std::max<std::uint32_t>(minuteMs, 1);
    const std::uint64_t seconds = (ms * kSecondsPerMinute + minute - 1) / minute;
    const std::uint64_t secondsOnly = seconds % kSecondsPerMinute;
    return std::to_string(seconds / kSecondsPerMinute) + (secondsOnly < 10 ? ":0" : ":") +
           std::to_string(secondsOnly);
}

std::vector<std::string> StatusLines(const StatusFacts& facts) {
    std::vector<std::string> lines;
    lines.push_back(MicropauseLine(facts));
    lines.push_back(ExerciseLine(facts));
    lines.push_back(facts.pausedUntil.empty() ? std::string(kStatusNotPaused)
                                              : kStatusPausedUntil + facts.pausedUntil);
    if (const std::optional<std::string> hold = HoldLine(facts)) {
        lines.push_back(*hold);
    }
    if (facts.offHours.active) {
        lines.push_back(facts.offHours.until.empty()
                            ? std::string(kStatusOffHours)
                            : kStatusOffHours + std::string(kOffHoursUntil) + facts.offHours.until);
    }
    if (facts.readingMode) {
        lines.push_back(kStatusReadingMode);
    }
    lines.push_back(kStatusToday + std::to_string(facts.taken) + kStatusTaken +
                    std::to_string(facts.skipped) + kStatusSkipped + std::to_string(facts.natural) +
                    kStatusNatural);
    return lines;
}

std::string StatusText(const StatusFacts& facts) {
    std::string text;
    for (const std::string& line : StatusLines(facts)) {
        text += line;
        text += '\n';
    }
    return text;
}

StatusFacts StatusOf(RiltoCore& core) {
    const SchedulerState& state = core.scheduler().State();
    const Settings& settings = core.settings();
    StatusFacts facts;
    facts.minuteMs = core.minuteMs();
    facts.quiet = core.pause().Active() || core.offHours().Active();
    facts.micropauseRunning = state.MicropauseRunning;
    facts.micropauseDue =
        state.MicropauseHeld || state.MicropauseAwaited || state.MinutesToMicropause < 1;
    facts.exerciseInProgress = core.breaks().ExerciseInProgress();
    facts.exerciseDue = state.ExerciseReminderPending || state.ReminderHeld;
    facts.exercisesOff = settings.EveryM <= 0 || state.MinutesToExercise < 0;
    if (const std::optional<std::uint32_t> left = core.minuteTimer().LeftInPeriod()) {
        facts.msToMicropause = MsToCountdownEnd(state.MinutesToMicropause, *left, facts.minuteMs);
        facts.msToExercise = MsToCountdownEnd(state.MinutesToExercise, *left, facts.minuteMs);
    }
    facts.pausedUntil = core.pause().UntilText();
    facts.holding = core.holdGate().Holding();
    facts.holdReason = core.holdGate().Reason();
    facts.offHours = OffHoursShown{core.offHours().Active(), core.offHours().UntilText()};
    facts.readingMode = settings.ReadingMode;
    const DayFigures today = core.statistics().Today();
    facts.taken = today[DayCount::micropauses];
    facts.skipped = today[DayCount::skipped];
    facts.natural = today[DayCount::natural];
    return facts;
}

}  // namespace rilto
