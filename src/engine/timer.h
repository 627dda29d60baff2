#pragma once
// A form timer: fires every Interval milliseconds while enabled, on the
// user-interface thread. Setting the interval of an enabled timer, or enabling
// it, starts a new period.

#include <cstdint>

namespace rilto {

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetInterval(std::uint32_t ms) = 0;
    virtual std::uint32_t Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
};

}  // namespace rilto
