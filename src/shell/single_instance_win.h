#pragma once
// The previous-instance test (a named mutex per logged-on user), and what a start does
// when another copy runs.

#include "common/handles_win.h"
#include "shell/startup.h"

namespace rilto {

class SingleInstance {
  public:
    SingleInstance();
    // Another copy of the program already runs for this user.
    bool AlreadyRunning() const { return alreadyRunning_; }

  private:
    UniqueHandle mutex_;
    bool alreadyRunning_ = false;
};

// Carries out a start that `start` says does not run here: ends at once, hands the
// running copy its key command, or tells the user that a copy runs. Whether this start
// runs the program.
bool RunsHere(const StartDecision& start);

}  // namespace rilto
