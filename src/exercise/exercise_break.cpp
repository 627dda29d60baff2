#include "exercise/exercise_break.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/settings_loader.h"
#include "common/text.h"
#include "common/texts.h"
#include "engine/self_limit.h"
#include "exercise/scheme_store.h"

namespace rilto {

namespace {

constexpr char kProcrastinateKey[] = "ProcrastinateM";

}  // namespace

std::int32_t OfferedMinutes(const std::string& text) {
    const auto parsed = ParseDecimal(text);
    if (!parsed) {
        return kDefaultPostponeMinutes;
    }
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(*parsed, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::int32_t PostponeMinutes(const std::string& text) {
    return std::min(OfferedMinutes(text), kMaxPostponeMinutes);
}

ExerciseBreakFlow::ExerciseBreakFlow(const ExerciseBreakPorts& ports)
    : store_(ports.store),
      settings_(ports.settings.Current()),
      writer_(ports.settings),
      table_(ports.table),
      scheduler_(ports.scheduler),
      sounds_(ports.sounds),
      player_(ports.player),
      reminder_(ports.reminder),
      random_(ports.random) {}

void ExerciseBreakFlow::ExerciseSecondsTick() {
    --state_.ExerciseSecondsLeft;
    if (state_.ExerciseSecondsLeft < 0) {
        LoadNextExercise();
    } else {
        UpdateExerciseCaption();
    }
}

void ExerciseBreakFlow::ShowReminder() {
    const std::string minutes =
        store_.GetSetting(kExercise, kProcrastinateKey, kDefaultPostponeMinutes);
    scheduler_.PostponeExercise(OfferedMinutes(minutes));
    reminder_.EnableLater(LaterLeft());
    reminder_.Show(minutes);
}

void ExerciseBreakFlow::DismissReminder() {
    latersThisBreak_ = 0;
    CloseReminder();
}

bool ExerciseBreakFlow::LaterLeft() const {
    return OneMoreAllowed(settings_.LaterPerBreak, latersThisBreak_);
}

void ExerciseBreakFlow::ExerciseBreak() {
    latersThisBreak_ = 0;
    CloseReminder();
    if (table_.EnabledCount() == 0) {
        scheduler_.SetTimers();
        return;
    }
    state_.ExercisesDone = 0;
    player_.PrepareBreak();
    state_.ExerciseInProgress = true;
    scheduler_.BeginExerciseSeconds();
}

void ExerciseBreakFlow::LoadNextExercise() {
    ++state_.ExercisesDone;
    if (state_.ExercisesDone > settings_.NumAtaTime) {
        FinishBreak();
        return;
    }
    player_.CloseVideo();
    if (!PickNext()) {
        // The scheme changed under the break and nothing in it takes part any more.
        FinishBreak();
        return;
    }
    Present(true);
}

bool ExerciseBreakFlow::PickNext() {
    const std::int32_t n = table_.NumExercises;
    switch (state_.CyclerState) {
        case Cycler::ShowTitle:
            state_.CyclerState = Cycler::FindStart;
            return true;
        case Cycler::FindStart:
            // r * n + 1 to the nearest whole number, halves to even: 1 to n + 1.
            state_.CurrentExercise =
                settings_.xStart != 0
                    ? static_cast<std::int32_t>(std::nearbyint(random_() * n + 1.0))
                    : 0;
            state_.CyclerState = Cycler::Continue;
            [[fallthrough]];
        case Cycler::Continue:
            break;
    }
    if (state_.CurrentExercise > n || state_.CurrentExercise < 0) {
        state_.CurrentExercise = 0;
    }
    for (std::int32_t tried = 0; tried < n; ++tried) {
        if (++state_.CurrentExercise > n) {
            state_.CurrentExercise = 1;
        }
        if (table_.TakesPart(state_.CurrentExercise)) {
            return true;
        }
    }
    return false;
}

void ExerciseBreakFlow::LoadPrevExercise() {
    if (!state_.ExerciseInProgress) {
        return;
    }
    player_.CloseVideo();
    --state_.ExercisesDone;
    const std::int32_t n = table_.NumExercises;
    for (std::int32_t tried = 0; tried < n; ++tried) {
        if (--state_.CurrentExercise < 1 || state_.CurrentExercise > n) {
            state_.CurrentExercise = n;
        }
        if (table_.TakesPart(state_.CurrentExercise)) {
            Present(false);
            return;
        }
    }
    FinishBreak();
}

void ExerciseBreakFlow::Present(bool first) {
    const ExerciseRecord& exercise = table_.At(state_.CurrentExercise);
    // A negative length is shown for one tick, as 0 is.
    state_.ExerciseSecondsLeft = std::max(exercise.Seconds, 0);
    UpdateExerciseCaption();
    player_.PresentExercise(exercise.File, first);
    scheduler_.RestartExerciseSecond();
}

void ExerciseBreakFlow::FinishBreak() {
    scheduler_.Count(endingEarly_ ? DayCount::endedEarly : DayCount::exercises);
    endingEarly_ = false;
    ReadNumAtaTime();
    state_.ExerciseInProgress = false;
    // Between breaks no exercise counts down: the next break starts with its first.
    state_.ExerciseSecondsLeft = 0;
    player_.ClosePlayer();
    scheduler_.SetTimers();
    if (ended_) {
        ended_();
    }
}

void ExerciseBreakFlow::EndForSleep() {
    if (!state_.ExerciseInProgress) {
        return;
    }
    player_.CloseVideo();
    endingEarly_ = true;
    FinishBreak();
}

void ExerciseBreakFlow::CloseReminder() {
    if (scheduler_.State().ExerciseReminderPending) {
        reminder_.Close();
        scheduler_.ReminderClosed();
    }
}

void ExerciseBreakFlow::UpdateExerciseCaption() {
    std::string caption = table_.At(state_.CurrentExercise).Title;
    caption.append(" (");
    caption.append(std::to_string(state_.ExerciseSecondsLeft));
    caption.append(")");
    player_.SetCaption(caption);
}

void ExerciseBreakFlow::Later(const std::string& minutesText) {
    if (!LaterLeft()) {
        return;
    }
    if (latersThisBreak_ < std::numeric_limits<std::int32_t>::max()) {
        ++latersThisBreak_;
    }
    const std::int32_t minutes = PostponeMinutes(minutesText);
    store_.SaveSetting(kExercise, kProcrastinateKey, std::to_string(minutes));
    scheduler_.PostponeExercise(minutes);
    scheduler_.Count(DayCount::postponed);
    CloseReminder();
}

bool ExerciseBreakFlow::ExerciseNowFromReminder() {
    if (MicropauseRunning()) {
        return false;
    }
    // A break already running is not started again; the reminder just goes.
    if (!state_.ExerciseInProgress) {
        scheduler_.ExerciseRequested();
        ReadNumAtaTime();
        ExerciseBreak();
    }
    CloseReminder();
    return true;
}

void ExerciseBreakFlow::ReminderClosed() {
    // The close box: the reminder comes again after the minutes it offered.
    scheduler_.Count(DayCount::postponed);
    scheduler_.ReminderClosed();
}

void ExerciseBreakFlow::ExerciseNowFromTray() {
    if (MicropauseRunning() || state_.ExerciseInProgress) {
        return;
    }
    scheduler_.ExerciseRequested();
    if (settings_.AudibleX) {
        sounds_.AudibleWarningX();
    }
    ReadNumAtaTime();
    ExerciseBreak();
}

void ExerciseBreakFlow::RunScheme(const std::string& name) {
    if (MicropauseRunning()) {
        return;
    }
    state_.CurrentExercise = 0;
    UseScheme(name);
    state_.ExercisesDone = 0;
    writer_.SetNumAtaTime(table_.EnabledCount());
    if (settings_.NumAtaTime > 0) {
        ExerciseBreak();
    }
}

void ExerciseBreakFlow::SkipExercise() {
    state_.ExerciseSecondsLeft = 0;
}

void ExerciseBreakFlow::EndBreak() {
    endingEarly_ = state_.ExerciseInProgress;
    state_.ExercisesDone = settings_.NumAtaTime;
    player_.CloseVideo();
    SkipExercise();
}

void ExerciseBreakFlow::ToggleCountdown() {
    // Between breaks tSeconds polls for natural micropauses; it is not the bar's.
    if (!state_.ExerciseInProgress) {
        return;
    }
    scheduler_.ToggleExerciseSeconds();
}

void ExerciseBreakFlow::StopRequested() {
    if (!state_.ExerciseInProgress) {
        return;
    }
    scheduler_.HoldExerciseSeconds();
    const bool quit = player_.AskQuit();
    scheduler_.ReleaseExerciseSeconds();
    if (quit) {
        EndBreak();
    }
}

void ExerciseBreakFlow::UseScheme(const std::string& name) {
    writer_.UseScheme(name);
    LoadScheme(store_, settings_.Scheme, table_);
}

void ExerciseBreakFlow::SchemeSaved(const std::string& name) {
    if (SameSchemeName(name, settings_.Scheme)) {
        LoadScheme(store_, settings_.Scheme, table_);
    }
}

void ExerciseBreakFlow::ReadNumAtaTime() {
    writer_.SetNumAtaTime(ReadOption(store_, Option::NumAtaTime));
}

}  // namespace rilto
