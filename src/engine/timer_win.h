#pragma once
// A form timer on a window: SetTimer and KillTimer with the window and an id of the
// timer's own. The window hands every WM_TIMER to WinTimer::Dispatch, which finds
// the timer by its id and runs its tick.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "engine/timer.h"

namespace rilto {

class WinTimer : public Timer {
  public:
    // `name` says which timer it is in traces.
    explicit WinTimer(std::string name);
    ~WinTimer() override;
    WinTimer(const WinTimer&) = delete;
    WinTimer& operator=(const WinTimer&) = delete;

    // The window whose messages carry the ticks, and what a tick does. Nothing fires
    // before both are there.
    void Attach(HWND owner, std::function<void()> onTick);

    void SetInterval(std::uint32_t ms) override;
    std::uint32_t Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

    // A WM_TIMER with this id arrived: the tick of that timer runs. False when the id
    // is no timer's (a tick still queued for a timer that is gone).
    static bool Dispatch(UINT_PTR id);

  private:
    // Starts a new period when the timer should run, stops it otherwise.
    void Rearm();
    void Stop();

    std::string name_;
    UINT_PTR id_;
    HWND owner_ = nullptr;
    std::function<void()> onTick_;
    std::uint32_t interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
};

}  // namespace rilto
