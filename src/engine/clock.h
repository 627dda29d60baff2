#pragma once

#include <cstdint>

#include "common/civil_time.h"

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
    // The same clock without the wrap (GetTickCount64): TickCount is its low 32 bits.
    virtual std::uint64_t TickCount64() = 0;
    virtual LocalTime Now() = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t UtcNow() = 0;
    // The local date and time at an instant, by the time zone's rules for that date.
    virtual CivilDateTime ToLocal(std::int64_t utc) = 0;
    // The instant of a local date and time. One the clocks skip is read as if they had
    // not moved yet; one they pass twice is the first.
    virtual std::int64_t FromLocal(const CivilDateTime& local) = 0;
};

}  // namespace rilto
