#pragma once
// The system's clocks: GetTickCount and the local time.

#include "engine/clock.h"

namespace rilto {

class WinClock : public Clock {
  public:
    std::uint32_t TickCount() override;
    LocalTime Now() override;
};

}  // namespace rilto
