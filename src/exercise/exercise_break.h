#pragma once
// Exercise breaks: the reminder that offers one when it is due, the break itself (one
// exercise after another, each for its own seconds), and the cycler that carries the
// place in the scheme from one break to the next, so that breaks work through the
// whole scheme.

#include <cstdint>
#include <functional>
#include <string>

#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/settings_store.h"
#include "engine/scheduler.h"
#include "engine/warning_sounds.h"
#include "exercise/exercise_player.h"
#include "exercise/exercise_table.h"

namespace rilto {

// Where the next forward step takes its exercise from.
enum class Cycler {
    ShowTitle = 0,  // the first break after start-up: the title entry stays on
    FindStart = 1,  // the next step picks the starting point of the cycle
    Continue = 2,   // the cycle goes on from where it is
};

struct ExerciseBreakState {
    bool ExerciseInProgress = false;
    std::int32_t ExercisesDone = 0;        // begun in this break
    std::int32_t CurrentExercise = 0;      // index into the table; kept between breaks
    std::int32_t ExerciseSecondsLeft = 0;  // 0 or below between breaks
    Cycler CyclerState = Cycler::ShowTitle;
};

// Postponement in minutes, "ProcrastinateM": at most 2 hours; not a number is 5.
inline constexpr std::int32_t kDefaultPostponeMinutes = 5;
inline constexpr std::int32_t kMaxPostponeMinutes = 120;
// The reminder's minutes as it opens: the stored text's whole number, or 5.
std::int32_t OfferedMinutes(const std::string& text);
// "Later": the same, and at most 2 hours.
std::int32_t PostponeMinutes(const std::string& text);

struct ExerciseBreakPorts {
    SettingsStore& store;
    SettingsWriter& settings;
    ExerciseTable& table;
    Scheduler& scheduler;
    WarningSounds& sounds;
    ExercisePlayer& player;
    ExerciseReminder& reminder;
    // Uniform in [0, 1): where a cycle starting from a random point starts.
    std::function<double()> random;
};

class ExerciseBreakFlow : public ExerciseFlow {
  public:
    explicit ExerciseBreakFlow(const ExerciseBreakPorts& ports);
    ExerciseBreakFlow(const ExerciseBreakFlow&) = delete;
    ExerciseBreakFlow& operator=(const ExerciseBreakFlow&) = delete;

    const ExerciseBreakState& State() const { return state_; }
    // Told when a break ends, however it ends.
    void OnBreakEnded(std::function<void()> ended) { ended_ = std::move(ended); }

    // The scheduler's seam.
    bool ExerciseInProgress() const override { return state_.ExerciseInProgress; }
    void ExerciseSecondsTick() override;
    void ShowReminder() override;
    void DismissReminder() override;
    void EndForSleep() override;

    // Starts a break with the scheme in use; none when no exercise of it takes part. The
    // reminder closes either way: the break it offered is here, or the countdown starts
    // afresh.
    void ExerciseBreak();
    // The forward step: the next exercise, or the end of the break.
    void LoadNextExercise();
    // The backward step: the previous exercise, without shortening the break.
    void LoadPrevExercise();
    // The player's caption: the title and the seconds left, "Neck roll (7)".
    void UpdateExerciseCaption();

    // The reminder's buttons and its close box. "Exercise Now..." is refused (false,
    // the reminder stays) while a micropause runs; "Later" once it was pressed
    // LaterPerBreak times for this break (the reminder then shows it greyed).
    void Later(const std::string& minutesText);
    // "Later" may be pressed again for the break the reminder offers.
    bool LaterLeft() const;
    bool ExerciseNowFromReminder();
    void ReminderClosed();

    // The tray's "Exercise Now!", and its scheme items. Nothing while a micropause runs,
    // and "Exercise Now!" nothing while a break runs.
    void ExerciseNowFromTray();
    void RunScheme(const std::string& name);

    // The scheme in use: the one breaks show. Another becomes it (loaded, not stored);
    // a scheme saved elsewhere is loaded again when it is the one in use.
    void UseScheme(const std::string& name);
    void SchemeSaved(const std::string& name);

    // The player's controls: a click or next skips the exercise; a double click ends
    // the break; play and pause switch the countdown; stop and ESC ask first.
    void SkipExercise();
    void EndBreak();
    void ToggleCountdown();
    void StopRequested();

  private:
    bool MicropauseRunning() const { return scheduler_.State().MicropauseRunning; }
    void ReadNumAtaTime();
    // The cycler's choice for the forward step; false when no exercise takes part.
    bool PickNext();
    // Shows entry CurrentExercise with its full seconds and restarts the countdown.
    void Present(bool first);
    void FinishBreak();
    void CloseReminder();

    SettingsStore& store_;
    const Settings& settings_;
    SettingsWriter& writer_;
    ExerciseTable& table_;
    Scheduler& scheduler_;
    WarningSounds& sounds_;
    ExercisePlayer& player_;
    ExerciseReminder& reminder_;
    std::function<double()> random_;
    std::function<void()> ended_;
    ExerciseBreakState state_;
    // The user (or a sleep) ends the running break before its end.
    bool endingEarly_ = false;
    // "Later" pressed for the break the reminder offers; a break that starts, or time
    // away, begins the count again.
    std::int32_t latersThisBreak_ = 0;
};

}  // namespace rilto
