#include "engine/scheduler.h"

#include <algorithm>
#include <limits>

#include "common/settings_loader.h"
#include "common/text.h"

namespace rilto {

namespace {

// After a change of interval the next micropause is at least this far away.
constexpr std::int32_t kMinMinutesAfterApply = 2;

// The stand-in until exercise breaks plug in.
class NoExerciseFlow : public ExerciseFlow {
  public:
    bool ExerciseInProgress() const override { return false; }
    void ExerciseSecondsTick() override {}
    void ShowReminder() override {}
    void DismissReminder() override {}
    void EndForSleep() override {}
};

NoExerciseFlow& NoExercises() {
    static NoExerciseFlow none;
    return none;
}

// A countdown left running (EveryM 0 lets the exercise one fall for ever) stops
// at the smallest value instead of wrapping.
std::int32_t CountDown(std::int32_t minutes) {
    return minutes == std::numeric_limits<std::int32_t>::min() ? minutes : minutes - 1;
}

// The later of two tick counts, either of which may be missing.
std::optional<std::uint32_t> LaterOf(std::optional<std::uint32_t> a, std::uint32_t b) {
    if (!a || IsLater(static_cast<std::int32_t>(b), static_cast<std::int32_t>(*a))) {
        return b;
    }
    return a;
}

std::int32_t ClampToInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::string ExerciseCountdownText(std::int32_t minutesToExercise, std::int32_t everyM) {
    if (everyM <= 0 || minutesToExercise < 0) {
        return kExerciseBreaksOff;
    }
    // The tick that reaches 0 opens the reminder: the break is due, not overdue.
    return kNextExerciseBreak + std::to_string(std::max(0, minutesToExercise - 1)) + kMinutesSuffix;
}

Scheduler::Scheduler(const SchedulerPorts& ports)
    : settings_(ports.settings),
      tMinutes_(ports.tMinutes),
      tSeconds_(ports.tSeconds),
      hook_(ports.hook),
      systemInput_(ports.systemInput),
      clock_(ports.clock),
      progressBar_(ports.progressBar),
      sounds_(ports.sounds),
      view_(ports.view),
      minuteMs_(ports.minuteMs),
      exercise_(&NoExercises()),
      presence_(settings_, clock_, minuteMs_),
      watchdog_(settings_, hook_) {}

void Scheduler::SetHoldGate(HoldGate& gate) {
    hold_ = &gate;
    hold_->OnRelease([this] { ReleaseHeldBreaks(); });
}

void Scheduler::PauseChanged() {
    if (Paused()) {
        return;
    }
    // The next minute to count is a whole one after the end of the pause.
    if (tMinutes_.Enabled()) {
        tMinutes_.SetEnabled(false);
        tMinutes_.SetEnabled(true);
    }
    if ((state_.MicropauseHeld || state_.ReminderHeld) && !Held()) {
        ReleaseHeldBreaks();
    }
    if (state_.MicropauseAwaited && !presence_.Shut()) {
        state_.MicropauseAwaited = false;
        MicropauseDue();
    }
}

void Scheduler::ReadingModeChanged() {
    if (settings_.ReadingMode) {
        ObservePresence(std::nullopt);
        CheckAbsence();
    }
}

bool Scheduler::Paused() {
    return (pause_ != nullptr && pause_->Active()) || (offHours_ != nullptr && offHours_->Active());
}

bool Scheduler::PausedWithinLast(std::int64_t seconds) {
    const bool paused = pause_ != nullptr && pause_->PausedWithinLast(seconds);
    return paused || (offHours_ != nullptr && offHours_->OffWithinLast(seconds));
}

bool Scheduler::Held() {
    return hold_ != nullptr && hold_->Holds();
}

void Scheduler::ReleaseHeldBreaks() {
    if (Paused()) {
        return;  // the end of the pause lets them through
    }
    if (state_.MicropauseHeld) {
        state_.MicropauseHeld = false;
        if (presence_.Shut()) {
            state_.MicropauseAwaited = true;
        } else {
            RiltoMicropause();
        }
    }
    if (state_.ReminderHeld) {
        state_.ReminderHeld = false;
        RemindOfExercise();
    }
}

void Scheduler::StopHoldingIfDone() {
    if (hold_ != nullptr && !state_.MicropauseHeld && !state_.ReminderHeld) {
        hold_->Clear();
    }
}

void Scheduler::SetTimers() {
    state_.MicropauseInterval = settings_.InterruptEvery;
    state_.MinutesToMicropause = settings_.InterruptEvery;
    // A running timer starts a whole new period at its interval set anew.
    tMinutes_.SetInterval(minuteMs_);
    tMinutes_.SetEnabled(true);
    state_.MinutesToExercise = settings_.EveryM;
    ShowExerciseCountdown();
    RestartIdlePolling();
}

void Scheduler::SeedLastInputTimes() {
    const auto now = static_cast<std::int32_t>(clock_.TickCount());
    state_.LastInputTime.fill(now);
    state_.LastSystemInput = systemInput_.LastInputTick();
    state_.LastMinuteInput = NewestInput();
    presence_.Seed(clock_.TickCount());
}

// The micropause countdown runs on every tick, so a reminder left open never holds
// back the micropauses; the exercise countdown waits while its reminder shows, waits
// for a hold, or the user is away. During a pause or off hours both hold still: that
// time is neither work nor rest. A minute of reading, input or not, is an active one.
void Scheduler::MinuteTick() {
    const std::optional<std::uint32_t> newest = NewestInput();
    const bool inputSeen = newest && state_.LastMinuteInput &&
                           IsLater(static_cast<std::int32_t>(*newest),
                                   static_cast<std::int32_t>(*state_.LastMinuteInput));
    if (inputSeen || (settings_.ReadingMode && !presence_.Shut())) {
        Count(DayCount::activeMinutes);
    }
    state_.LastMinuteInput = newest;
    // The minute in whole seconds, rounded up: a minute of 2.5 s looks back 3.
    const std::int64_t minuteSeconds =
        (minuteMs_ + kMillisecondsPerSecond - 1) / kMillisecondsPerSecond;
    FollowSession(newest);
    if (PausedWithinLast(minuteSeconds)) {
        return;
    }
    ObservePresence(newest);
    CheckAbsence();
    if (!state_.ExerciseReminderPending && !state_.ReminderHeld && !state_.Away) {
        ExerciseStep();
    }
    MicropauseStep();
}

void Scheduler::ObservePresence(std::optional<std::uint32_t> newest) {
    if (newest) {
        presence_.Observe(*newest);
    }
    if (settings_.ReadingMode) {
        presence_.MarkPresent();
    }
}

// Windows' own input time says the machine is awake, whatever kinds are monitored.
void Scheduler::FollowSession(std::optional<std::uint32_t> newest) {
    const std::optional<bool> locked = systemInput_.SessionLocked();
    if (locked && *locked) {
        presence_.Locked();
    } else if (locked) {
        BackAfter(presence_.Unlocked());
    }
    BackAfter(presence_.InputSeen(*LaterOf(newest, systemInput_.LastInputTick())));
}

std::optional<std::uint32_t> Scheduler::NewestInput() {
    std::optional<std::uint32_t> newest;
    // With nothing monitored the hook library is not asked (nor loaded) here.
    for (int kind = 0; kind < kInputKinds; ++kind) {
        if (settings_.Monitor[static_cast<std::size_t>(kind)] && hook_.Available()) {
            newest = LaterOf(newest, static_cast<std::uint32_t>(hook_.RilGetTime(kind)));
        }
    }
    if (SystemInputCounts(settings_)) {
        newest = LaterOf(newest, systemInput_.LastInputTick());
    }
    return newest;
}

void Scheduler::CheckAbsence() {
    if (!presence_.Away()) {
        state_.Away = false;
    } else if (!state_.Away) {
        BeginAbsence();
    }
}

// A break already running goes on; its end starts the countdown afresh anyway.
void Scheduler::BeginAbsence() {
    state_.Away = true;
    if (exercise_->ExerciseInProgress()) {
        return;
    }
    state_.ReminderHeld = false;
    StopHoldingIfDone();
    // The time away is the break: an open reminder goes, and the next is a new break's.
    exercise_->DismissReminder();
    if (settings_.EveryM > 0) {
        state_.MinutesToExercise = settings_.EveryM;
    }
    ShowExerciseCountdown();
}

// The input up to the lock, or to the sleep, was the user's: the time away starts after it,
// not at the last poll.
void Scheduler::SessionLocked() {
    if (!presence_.Shut()) {
        ObservePresence(NewestInput());
    }
    presence_.Locked();
}

void Scheduler::SessionUnlocked() {
    BackAfter(presence_.Unlocked());
}

// What runs ends now, cleanly: Windows gives a program two seconds at most.
void Scheduler::Suspending() {
    if (exercise_->ExerciseInProgress()) {
        exercise_->EndForSleep();
    } else if (state_.MicropauseRunning) {
        EndMicropause(false);
    }
    if (!presence_.Shut()) {
        ObservePresence(NewestInput());
    }
    presence_.Suspended();
}

// The minute that was running when the machine slept starts again whole, and a timer
// that fell due in the sleep fires at most once: no burst of stale breaks.
void Scheduler::Resumed() {
    const std::optional<std::uint64_t> away = presence_.Resumed();
    if (tMinutes_.Enabled()) {
        tMinutes_.SetEnabled(false);
        tMinutes_.SetEnabled(true);
        if (!state_.MicropauseRunning) {
            RestartIdlePolling();
        }
    }
    BackAfter(away);
}

void Scheduler::BackAfter(std::optional<std::uint64_t> awayMs) {
    if (!awayMs) {
        return;
    }
    const auto awayLimit = static_cast<std::uint64_t>(std::max(settings_.AwayM, 1)) * minuteMs_;
    if (*awayMs >= awayLimit && !state_.Away) {
        BeginAbsence();
    }
    state_.Away = false;
    const auto restMs = static_cast<std::uint64_t>(MicropauseSeconds()) * kMillisecondsPerSecond;
    if (*awayMs >= restMs && !state_.MicropauseRunning && !exercise_->ExerciseInProgress()) {
        NaturalMicropause();
        // Nobody was at the screen: a rest, whatever IntelliReset says of quiet input.
        RestTaken();
    }
    if (state_.MicropauseAwaited && !exercise_->ExerciseInProgress()) {
        state_.MicropauseAwaited = false;
        MicropauseDue();
    }
}

void Scheduler::ExerciseStep() {
    state_.MinutesToExercise = CountDown(state_.MinutesToExercise);
    ShowExerciseCountdown();
    // Only the step that reaches 0 opens the reminder; a counter already at 0 or
    // below runs on into the negative until it is set anew.
    if (state_.MinutesToExercise != 0) {
        return;
    }
    // Due the moment off hours begin: it waits for their end as for a hold's.
    if (Paused() || Held()) {
        state_.ReminderHeld = true;
        return;
    }
    RemindOfExercise();
}

void Scheduler::RemindOfExercise() {
    if (settings_.AudibleX) {
        sounds_.AudibleWarningX();
    }
    state_.ExerciseReminderPending = true;
    exercise_->ShowReminder();
}

// A micropause held for a hold keeps its place: the countdown runs on below 1 and the
// gate brings the micropause when the hold ends. The early warning does not sound into a
// hold.
void Scheduler::MicropauseStep() {
    state_.MinutesToMicropause = CountDown(state_.MinutesToMicropause);
    if (state_.MicropauseHeld) {
        return;
    }
    if (state_.MinutesToMicropause == 1) {
        if (settings_.AudiblePre && !presence_.Shut() && !Paused() &&
            (hold_ == nullptr || !hold_->WouldHold())) {
            sounds_.AudibleWarningPre();
        }
    } else if (state_.MinutesToMicropause < 1) {
        MicropauseDue();
    }
}

// A micropause nobody would see (the session locked, the machine asleep) waits for the
// user; their return decides whether the time away was its rest. Back during a pause,
// they get it at the pause's end.
void Scheduler::MicropauseDue() {
    if (presence_.Shut() || Paused()) {
        state_.MicropauseAwaited = true;
        return;
    }
    if (Held()) {
        state_.MicropauseHeld = true;
        return;
    }
    RiltoMicropause();
}

void Scheduler::SecondsTick() {
    if (exercise_->ExerciseInProgress()) {
        exercise_->ExerciseSecondsTick();
    } else if (state_.MicropauseRunning) {
        AdvanceMicropause();
    } else {
        IdlePoll();
    }
}

// A whole poll period, InterruptFor seconds, without newer input is a natural
// micropause. Input is what the hooks recorded, or what Windows saw while every kind is
// monitored; in a locked session, whatever comes counts as none. In reading mode a quiet
// period with the screen open is no rest: the user reads.
void Scheduler::IdlePoll() {
    bool active = false;
    std::optional<std::int32_t> hooksNewest;
    for (int kind = 0; kind < kInputKinds; ++kind) {
        const std::int32_t hookTime = hook_.RilGetTime(kind);
        active = IsLater(hookTime, state_.LastInputTime[kind]) || active;
        state_.LastInputTime[kind] = hookTime;
        if (settings_.Monitor[static_cast<std::size_t>(kind)] &&
            (!hooksNewest || IsLater(hookTime, *hooksNewest))) {
            hooksNewest = hookTime;
        }
    }
    const std::uint32_t system = systemInput_.LastInputTick();
    if (SystemInputCounts(settings_)) {
        active = IsLater(static_cast<std::int32_t>(system),
                         static_cast<std::int32_t>(state_.LastSystemInput)) ||
                 active;
    }
    state_.LastSystemInput = system;
    // The times just read, not read again: the hooks' while the library is there, and
    // Windows' while it counts.
    std::optional<std::uint32_t> newest;
    if (hooksNewest && hook_.Available()) {
        newest = static_cast<std::uint32_t>(*hooksNewest);
    }
    if (SystemInputCounts(settings_)) {
        newest = LaterOf(newest, system);
    }
    FollowSession(newest);
    if (state_.MicropauseRunning) {
        return;  // one that waited for the user, who is back
    }
    if (hooksNewest && !presence_.Shut()) {
        watchdog_.Check(*hooksNewest, system, clock_.TickCount());
    }
    ObservePresence(newest);
    CheckAbsence();
    // With nothing recorded, unchanged hook times say nothing about the user. A period
    // that was paused, even in part, is no rest either.
    const bool anyMonitored = std::any_of(settings_.Monitor.begin(), settings_.Monitor.end(),
                                          [](bool monitored) { return monitored; });
    const bool paused = PausedWithinLast(MicropauseSeconds());
    if (active && !presence_.Shut()) {
        state_.Resting = false;
    }
    const bool reading = settings_.ReadingMode && !presence_.Shut();
    if ((active && !presence_.Shut()) || !anyMonitored || !hook_.Available() || paused || reading) {
        return;
    }
    NaturalMicropause();
}

void Scheduler::NaturalMicropause() {
    if (!state_.Resting) {
        Count(DayCount::natural);
        state_.Resting = true;
    }
    view_.SetCaption(ViewLabel::lblvoluntary, kLastNaturalMicropause + TimeNow());
    if (settings_.IntelliReset) {
        RestTaken();
    }
}

// A micropause that waited for a hold is done with too.
void Scheduler::RestTaken() {
    state_.MinutesToMicropause = state_.MicropauseInterval;
    state_.MicropauseHeld = false;
    state_.MicropauseAwaited = false;
    StopHoldingIfDone();
}

void Scheduler::ApplyMicropauseTiming() {
    // A running micropause or exercise break keeps its own pace; the end of either
    // restarts the idle polling with the new length.
    if (!state_.MicropauseRunning && !exercise_->ExerciseInProgress()) {
        RestartIdlePolling();
    }
    const std::int64_t shifted = std::int64_t{state_.MinutesToMicropause} +
                                 settings_.InterruptEvery - state_.MicropauseInterval;
    state_.MinutesToMicropause =
        ClampToInt32(std::max<std::int64_t>(shifted, kMinMinutesAfterApply));
    state_.MicropauseInterval = settings_.InterruptEvery;
}

void Scheduler::ApplyExerciseInterval() {
    if (state_.MinutesToExercise > settings_.EveryM) {
        state_.MinutesToExercise = settings_.EveryM;
    } else if (state_.MinutesToExercise < 0 && settings_.EveryM > 0 &&
               !state_.ExerciseReminderPending) {
        // Exercise breaks were off and are on again: the count starts now.
        state_.MinutesToExercise = settings_.EveryM;
    }
    if (!exercise_->ExerciseInProgress()) {
        ShowExerciseCountdown();
    }
}

void Scheduler::PostponeExercise(std::int32_t minutes) {
    state_.MinutesToExercise = minutes;
}

void Scheduler::ReminderClosed() {
    state_.ExerciseReminderPending = false;
}

void Scheduler::ExerciseRequested() {
    state_.ReminderHeld = false;
    StopHoldingIfDone();
    state_.MinutesToExercise = 0;
    view_.SetCaption(ViewLabel::lblExercise, kExerciseInProgress);
}

void Scheduler::BeginExerciseSeconds() {
    state_.MicropauseHeld = false;
    state_.ReminderHeld = false;
    state_.MicropauseAwaited = false;
    StopHoldingIfDone();
    tSeconds_.SetEnabled(false);
    tMinutes_.SetEnabled(false);
    tSeconds_.SetInterval(kMillisecondsPerSecond);
    tSeconds_.SetEnabled(true);
}

void Scheduler::RestartExerciseSecond() {
    tSeconds_.SetEnabled(false);
    tSeconds_.SetEnabled(true);
}

void Scheduler::ToggleExerciseSeconds() {
    tSeconds_.SetEnabled(!tSeconds_.Enabled());
}

void Scheduler::HoldExerciseSeconds() {
    tSeconds_.SetEnabled(false);
}

void Scheduler::ReleaseExerciseSeconds() {
    tSeconds_.SetEnabled(true);
}

void Scheduler::ShowExerciseCountdown() {
    view_.SetCaption(ViewLabel::lblExercise,
                     ExerciseCountdownText(state_.MinutesToExercise, settings_.EveryM));
}

void Scheduler::RestartIdlePolling() {
    tSeconds_.SetEnabled(false);
    tSeconds_.SetInterval(static_cast<std::uint32_t>(MicropauseSeconds()) * kMillisecondsPerSecond);
    tSeconds_.SetEnabled(true);
}

std::int32_t Scheduler::MicropauseSeconds() const {
    const NumberRange range = RowOf(Option::InterruptFor).stored;
    return std::clamp(settings_.InterruptFor, range.min, range.max);
}

std::string Scheduler::TimeNow() {
    const LocalTime now = clock_.Now();
    return FormatHourMinute(now.hour, now.minute);
}

}  // namespace rilto
