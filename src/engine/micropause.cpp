// The micropause screen: the main form comes forward, topmost, with a progress bar
// that fills over InterruptFor seconds, then hides again.

#include <string>

#include "engine/scheduler.h"
#include "engine/self_limit.h"

namespace rilto {

namespace {

constexpr char kDiagnosticSeparator[] = "/";

}  // namespace

void Scheduler::RiltoMicropause() {
    // An exercise break owns tSeconds while it runs; a micropause then would never
    // advance.
    if (exercise_->ExerciseInProgress()) {
        return;
    }
    state_.MinutesToMicropause = state_.MicropauseInterval;
    state_.MicropauseHeld = false;
    state_.MicropauseAwaited = false;
    StopHoldingIfDone();
    tSeconds_.SetEnabled(false);
    progressBar_.SetMax(MicropauseSeconds() * kMicropauseStepsPerSecond);
    state_.MicropauseRunning = true;
    state_.MicropauseSkipped = false;
    progressBar_.SetValue(1);
    view_.SetVisible(ViewControl::cmdOK, false);
    view_.SetVisible(ViewControl::picPB, true);
    if (!settings_.DisableEsc) {
        ShowSkipHint();
    }
    // The start sound ends before the screen appears; the program answers while it
    // plays. A micropause ended meanwhile (a sleep, a shutdown) shows no screen.
    if (settings_.Audible) {
        sounds_.AudibleWarning([this] {
            if (state_.MicropauseRunning && !tSeconds_.Enabled()) {
                ShowMicropause();
            }
        });
        return;
    }
    ShowMicropause();
}

void Scheduler::ShowMicropause() {
    tSeconds_.SetInterval(kMillisecondsPerSecond / kMicropauseStepsPerSecond);
    tSeconds_.SetEnabled(true);
    if (settings_.Blank) {
        view_.SetVisible(ViewControl::picBlack, false);
        view_.SetWindowState(WindowState::Maximised);
    } else {
        view_.SetWindowState(WindowState::Normal);
    }
    view_.Repaint();
    view_.ShowForm();
    view_.SetVisible(ViewControl::picBlack, true);
    view_.MakeTopmost();
}

// The hint's own text comes back only where the limit had replaced it: the diagnostic
// numbers stay in the label until then, as they always have.
void Scheduler::ShowSkipHint() {
    const bool skipsLeft = SkipsLeftToday();
    if (skipsLeft == noSkipsShown_) {
        view_.SetCaption(ViewLabel::lblESC, skipsLeft ? kEscapeHint : kNoSkipsLeftToday);
        noSkipsShown_ = !skipsLeft;
    }
    view_.SetVisible(ViewControl::lblESC, true);
    if (skipsLeft) {
        view_.CatchEscape(true);
    }
}

bool Scheduler::SkipsLeftToday() {
    const std::int32_t skipped =
        counter_ != nullptr ? counter_->CountedToday(DayCount::skipped) : 0;
    return OneMoreAllowed(settings_.SkipsPerDay, skipped);
}

// Cut short, the micropause was not taken: it counts as skipped.
bool Scheduler::HurryMicropause(std::int32_t stepsLeft) {
    if (!state_.MicropauseRunning || progressBar_.Value() >= progressBar_.Max() - stepsLeft) {
        return false;
    }
    state_.MicropauseSkipped = true;
    progressBar_.SetValue(progressBar_.Max() - 1);
    return true;
}

// The bar starts at 1, so a micropause takes Max - 1 steps.
void Scheduler::AdvanceMicropause() {
    progressBar_.SetValue(progressBar_.Value() + 1);
    if (progressBar_.Value() < progressBar_.Max()) {
        return;
    }
    EndMicropause();
}

void Scheduler::EndMicropause(bool withSound) {
    tSeconds_.SetEnabled(false);
    view_.SendToBottom();
    view_.HideForm();
    view_.SetVisible(ViewControl::picPB, false);
    view_.SetVisible(ViewControl::cmdOK, true);
    view_.SetVisible(ViewControl::lblESC, false);
    view_.CatchEscape(false);
    state_.MicropauseRunning = false;
    // Resting on after it is no natural micropause of its own.
    state_.Resting = true;
    Count(state_.MicropauseSkipped ? DayCount::skipped : DayCount::micropauses);
    RestartIdlePolling();
    view_.SetCaption(ViewLabel::lblrilto, kLastRiltoMicropause + TimeNow());
    if (settings_.Audible && withSound) {
        sounds_.AudibleNotification();
    }
}

// One short of full: the next step ends the micropause the ordinary way, with its
// sound and the time in lblrilto.
void Scheduler::Skip() {
    if (!state_.MicropauseRunning || settings_.DisableEsc || !SkipsLeftToday()) {
        return;
    }
    state_.MicropauseSkipped = true;
    progressBar_.SetValue(progressBar_.Max() - 1);
}

// The screen's OK is the status window's: it never ends a micropause, whatever key
// reaches it.
void Scheduler::StatusOk() {
    if (state_.MicropauseRunning) {
        return;
    }
    view_.SetWindowState(WindowState::Normal);
    view_.HideForm();
}

// "Status...": the form shown as the status window. A running micropause already shows
// the status lines, and stays as it is.
void Scheduler::StatusRequested() {
    if (state_.MicropauseRunning) {
        return;
    }
    view_.HideForm();
    view_.SetWindowState(WindowState::Normal);
    view_.ShowForm();
}

// Closing the window (Alt+F4) is no way out of a micropause either.
void Scheduler::CloseRequested() {
    StatusOk();
}

// ESC skips a micropause where that is allowed, and closes the status window.
void Scheduler::EscapePressed() {
    if (state_.MicropauseRunning) {
        Skip();
    } else {
        StatusOk();
    }
}

void Scheduler::ShowDiagnostics() {
    view_.SetCaption(ViewLabel::lblESC, DiagnosticText());
    view_.SetVisible(ViewControl::lblESC, true);
}

// Every number in the hook's clock: the tick count as a signed 32-bit value too, so
// that the five compare at a glance.
std::string Scheduler::DiagnosticText() {
    std::string text;
    for (int kind = 0; kind < kInputKinds; ++kind) {
        text += std::to_string(state_.LastInputTime[kind]) + kDiagnosticSeparator;
        text += std::to_string(hook_.RilGetTime(kind)) + kDiagnosticSeparator;
    }
    return text + std::to_string(static_cast<std::int32_t>(clock_.TickCount())) +
           kHooksInstalledAgain + std::to_string(watchdog_.Reinstalls());
}

}  // namespace rilto
