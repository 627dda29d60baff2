#pragma once
// The exercise breaks as the scheduler sees them: a switch for "a break is running",
// a count of the seconds handed to it, and the reminders it was asked to show.

#include <functional>

#include "engine/scheduler.h"
#include "fakes/event_log.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

class FakeExerciseFlow : public ExerciseFlow {
  public:
    FakeExerciseFlow(EventLog& log, const VirtualClock& clock) : log_(log), clock_(clock) {}

    bool ExerciseInProgress() const override { return inProgress; }
    void ExerciseSecondsTick() override { ++secondsTicks; }
    void ShowReminder() override {
        log_.Add(clock_.Elapsed(), "reminder");
        if (onReminder) {
            onReminder();
        }
    }

    void DismissReminder() override { log_.Add(clock_.Elapsed(), "reminder dismissed"); }
    void EndForSleep() override {
        log_.Add(clock_.Elapsed(), "break ended for sleep");
        inProgress = false;
    }

    bool inProgress = false;
    int secondsTicks = 0;
    // What the user does when the reminder shows.
    std::function<void()> onReminder;

  private:
    EventLog& log_;
    const VirtualClock& clock_;
};

}  // namespace rilto::fakes
