#pragma once

#include <cstdint>

namespace rilto {

struct LocalTime {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since system start, wrapping at 2^32 (GetTickCount).
    virtual std::uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
};

}  // namespace rilto
