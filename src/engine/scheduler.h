#pragma once
// The break scheduler and the micropause screen it drives. Two form timers run it:
// tMinutes counts whole minutes down to the next micropause and to the next
// exercise reminder; tSeconds polls the activity hook for natural micropauses,
// advances a running micropause, or hands a running exercise break its seconds.
// Time away (no input for AwayM minutes, a locked session, a sleeping machine) counts
// as an exercise break. In reading mode time without input is work: only a locked session
// or a sleeping machine is time away or rest, and every minute the screen is open to the
// user is an active one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/activity_hook.h"
#include "engine/clock.h"
#include "engine/hold.h"
#include "engine/hook_watchdog.h"
#include "engine/off_hours.h"
#include "engine/presence.h"
#include "engine/statistics_book.h"
#include "engine/pause.h"
#include "engine/micropause_view.h"
#include "engine/progress_bar.h"
#include "engine/system_input.h"
#include "engine/timer.h"
#include "engine/warning_sounds.h"
#include "common/minute.h"
#include "common/settings.h"
#include "common/texts.h"

namespace rilto {

// A running micropause advances its bar this many times a second.
inline constexpr std::int32_t kMicropauseStepsPerSecond = 10;
inline constexpr std::uint32_t kMillisecondsPerSecond = 1000;

// "Next Exercise Break: " and one less than the counter, then " minutes"; "off" when
// exercise breaks never come (every 0 minutes), or not until the countdown is set anew
// (it has run past 0).
std::string ExerciseCountdownText(std::int32_t minutesToExercise, std::int32_t everyM);

// The scheduler's state. Only the scheduler changes it, through the methods named for
// what happens; everyone else reads it.
struct SchedulerState {
    // The micropause interval in force, minutes: what the countdown is reset to.
    std::int32_t MicropauseInterval = 0;
    std::int32_t MinutesToMicropause = 0;
    std::int32_t MinutesToExercise = 0;
    // The exercise reminder is showing; the exercise countdown waits meanwhile.
    bool ExerciseReminderPending = false;
    bool MicropauseRunning = false;
    // The running micropause was skipped (ESC, a double click): it counts as such.
    bool MicropauseSkipped = false;
    // A natural micropause is under way: the quiet polls after its first count no more.
    bool Resting = false;
    // A micropause, or the exercise reminder, fell due during a hold and waits for its end.
    bool MicropauseHeld = false;
    bool ReminderHeld = false;
    // A micropause fell due while nobody was at the machine (the session locked, the
    // machine asleep): it waits for the user to come back.
    bool MicropauseAwaited = false;
    // The user has been away for AwayM minutes or more: the exercise countdown stands at
    // its full value until they are back.
    bool Away = false;
    // The hook times seen at the previous idle poll, per input kind, and Windows' own.
    std::array<std::int32_t, kInputKinds> LastInputTime{};
    std::uint32_t LastSystemInput = 0;
    // The newest input at the previous minute tick: a minute with newer input is active.
    std::optional<std::uint32_t> LastMinuteInput;
};

// Where the exercise breaks plug into the scheduler. Until they do, no break is
// ever in progress and the reminder shows nothing.
class ExerciseFlow {
  public:
    virtual ~ExerciseFlow() = default;
    // A break is running: tSeconds ticks every second for it.
    virtual bool ExerciseInProgress() const = 0;
    // One tick of tSeconds during a break: the exercise on screen counts down, and
    // the next exercise follows when it is done.
    virtual void ExerciseSecondsTick() = 0;
    // The exercise countdown reached 0: show the reminder without activating it.
    virtual void ShowReminder() = 0;
    // The user is away, which counts as the break: an open reminder closes, as if
    // postponed by nothing, and the next reminder is a new break's. Told whether a
    // reminder is open or not.
    virtual void DismissReminder() = 0;
    // The machine suspends: a running break ends at once, its player and video device
    // closed, and the countdowns start afresh.
    virtual void EndForSleep() = 0;
};

// What the scheduler works with; all of it outlives the scheduler.
struct SchedulerPorts {
    const Settings& settings;
    Timer& tMinutes;
    Timer& tSeconds;
    ActivityHook& hook;
    SystemInput& systemInput;
    Clock& clock;
    CProgressBar& progressBar;
    WarningSounds& sounds;
    MicropauseView& view;
    // The program's minute, in milliseconds.
    std::uint32_t minuteMs = kRealMinuteMs;
};

class Scheduler {
  public:
    explicit Scheduler(const SchedulerPorts& ports);
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    void SetExerciseFlow(ExerciseFlow& flow) { exercise_ = &flow; }
    // Breaks that fall due wait while the gate holds them; it lets them through here.
    void SetHoldGate(HoldGate& gate);
    // While a pause lasts, the countdowns hold still: no break falls due.
    void SetPause(Pause& pause) { pause_ = &pause; }
    // Off hours are a pause that comes by the clock: the same holds for them.
    void SetOffHours(OffHours& offHours) { offHours_ = &offHours; }
    // Where the day's figures go.
    void SetDayCounter(DayCounter& counter) { counter_ = &counter; }
    void Count(DayCount what) {
        if (counter_ != nullptr) {
            counter_->Count(what);
        }
    }
    // A pause, or off hours, began or ended: at the end of both, what waited goes on.
    void PauseChanged();
    // ReadingMode was switched: switched on, the user is at the screen from now, and an
    // absence that quiet input began is over.
    void ReadingModeChanged();

    const SchedulerState& State() const { return state_; }

    // Restarts both countdowns from their full values and both timers. Start-up calls
    // it once the hook kinds are switched on; an exercise break calls it when it ends, or
    // when none can start. A break that waits (held, or for the user) keeps waiting.
    void SetTimers();
    // Start-up, after the first SetTimers: nothing is taken as input from before.
    void SeedLastInputTimes();

    // The timer events.
    void MinuteTick();
    void SecondsTick();

    // The session locks and unlocks; the machine suspends and resumes. Each may be told
    // more than once (every top-level window hears it); the repeats change nothing.
    void SessionLocked();
    void SessionUnlocked();
    void Suspending();
    void Resumed();

    // Starts a micropause now: from the minute countdown, or "Micropause Now!".
    void RiltoMicropause();
    // A micropause on screen ends at the next step of its bar, unless it has at most
    // `stepsLeft` steps to go; whether it was hurried.
    bool HurryMicropause(std::int32_t stepsLeft);
    // A double click on lblESC: the running micropause ends at the next step of its
    // bar. Nothing when escaping is disabled, when today's skips have reached SkipsPerDay,
    // or when no micropause runs.
    void Skip();
    // Today's skipped micropauses, as the day's figures have them, are below SkipsPerDay
    // (always when it is 0). A new day, by the figures' calendar, starts again.
    bool SkipsLeftToday();
    // ESC, wherever the focus is: Skip during a micropause, otherwise the status
    // window closes.
    void EscapePressed();
    // cmdOK and Enter: the status window closes. Nothing during a micropause.
    void StatusOk();
    // The window is asked to close (Alt+F4): as StatusOk.
    void CloseRequested();
    // "Status...": the form as the status window, unless a micropause runs.
    void StatusRequested();
    // A double click on lblvoluntary: lblESC shows DiagnosticText.
    void ShowDiagnostics();
    // The stored and current hook times of the keyboard, then of the mouse, and the
    // tick count, joined by "/"; then how often the hooks were installed again.
    std::string DiagnosticText();

    // The settings dialog's Apply, once the new InterruptFor and InterruptEvery are in
    // the settings: the idle poll takes the new length, and the micropause countdown
    // moves by the change of interval, keeping at least 2 minutes to go.
    void ApplyMicropauseTiming();
    // Apply, once the new EveryM is in the settings: a countdown beyond it is cut, and one
    // that had run out (exercise breaks were off) starts afresh.
    void ApplyExerciseInterval();

    // The exercise countdown and its reminder.
    // The next reminder comes in `minutes`: the reminder's "Later", or the minutes it
    // offers when it opens.
    void PostponeExercise(std::int32_t minutes);
    // The reminder has closed, however: the exercise countdown runs again.
    void ReminderClosed();
    // An exercise break is asked for now: the countdown stands at 0 and the status
    // window says the break is in progress.
    void ExerciseRequested();

    // The seconds of a running exercise break. It begins: both timers stop, and tSeconds
    // ticks every second for the break, and the breaks that waited are done with, the
    // break being the rest they stood for; an exercise shown restarts the second; the
    // player's pause and play, and its question, hold and release it. SetTimers ends it.
    void BeginExerciseSeconds();
    void RestartExerciseSecond();
    void ToggleExerciseSeconds();
    void HoldExerciseSeconds();
    void ReleaseExerciseSeconds();

  private:
    // A pause lasts or it is off hours.
    bool Paused();
    // Paused or off hours at some moment of the last `seconds`.
    bool PausedWithinLast(std::int64_t seconds);
    // Whether a break that falls due now must wait for the end of a hold.
    bool Held();
    // The held breaks come now, unless a pause keeps them.
    void ReleaseHeldBreaks();
    // The gate looks no more when nothing waits.
    void StopHoldingIfDone();
    // The exercise reminder opens: its sound first.
    void RemindOfExercise();
    void ExerciseStep();
    void MicropauseStep();
    void IdlePoll();
    // The newest input any monitored source saw: what the presence is told. In reading
    // mode the user is present at every look while the screen is open to them.
    void ObservePresence(std::optional<std::uint32_t> newest);
    // The session's lock as Windows tells it when asked, and input after a sleep: lost
    // notices leave no lock or sleep behind. `newest` as for ObservePresence.
    void FollowSession(std::optional<std::uint32_t> newest);
    std::optional<std::uint32_t> NewestInput();
    // Away long enough: the exercise countdown starts again in full and the reminder goes.
    void CheckAbsence();
    void BeginAbsence();
    // The session opened again, or the machine woke, after `awayMs` without the user.
    void BackAfter(std::optional<std::uint64_t> awayMs);
    // A rest as long as a micropause was taken without one.
    void NaturalMicropause();
    // The rest counts: the micropause countdown starts again, and a micropause that waited
    // is done with.
    void RestTaken();
    // A micropause falls due now: it comes, or waits for a hold's end or for the user.
    void MicropauseDue();
    // The screen of a micropause, once its start sound has ended.
    void ShowMicropause();
    // A micropause that may be escaped: the skip hint and ESC caught, or, once today's
    // skips are used up, "No skips left today" in the hint's place and ESC left alone.
    void ShowSkipHint();
    void AdvanceMicropause();
    void EndMicropause(bool withSound = true);
    // tSeconds at the idle poll period, its period starting now.
    void RestartIdlePolling();
    void ShowExerciseCountdown();
    // InterruptFor kept within what the timer and the bar can take.
    std::int32_t MicropauseSeconds() const;
    std::string TimeNow();

    const Settings& settings_;
    Timer& tMinutes_;
    Timer& tSeconds_;
    ActivityHook& hook_;
    SystemInput& systemInput_;
    Clock& clock_;
    CProgressBar& progressBar_;
    WarningSounds& sounds_;
    MicropauseView& view_;
    const std::uint32_t minuteMs_;
    ExerciseFlow* exercise_;
    HoldGate* hold_ = nullptr;
    Pause* pause_ = nullptr;
    OffHours* offHours_ = nullptr;
    DayCounter* counter_ = nullptr;
    Presence presence_;
    HookWatchdog watchdog_;
    SchedulerState state_;
    // lblESC says that no skips are left, not the skip hint.
    bool noSkipsShown_ = false;
};

}  // namespace rilto
