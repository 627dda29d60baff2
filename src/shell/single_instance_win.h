#pragma once
// The previous-instance test: a named mutex per logged-on user.

#include "common/handles_win.h"

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

}  // namespace rilto
