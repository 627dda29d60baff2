#pragma once
// The system's clocks: GetTickCount, the local time, and UTC with the time zone's rules.

#include "engine/clock.h"

namespace rilto {

class WinClock : public Clock {
  public:
    std::uint32_t TickCount() override;
    std::uint64_t TickCount64() override;
    LocalTime Now() override;
    std::int64_t UtcNow() override;
    CivilDateTime ToLocal(std::int64_t utc) override;
    std::int64_t FromLocal(const CivilDateTime& local) override;
};

}  // namespace rilto
