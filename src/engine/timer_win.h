#pragma once
// A form timer on a window: SetTimer and KillTimer with the window and a timer id.
// The window receives WM_TIMER with that id and hands it to the program.

#include <windows.h>

#include <cstdint>

#include "engine/timer.h"

namespace rilto {

class WinTimer : public Timer {
  public:
    // The owner may come later (SetOwner); nothing fires until it is there.
    explicit WinTimer(UINT_PTR id, HWND owner = nullptr);
    ~WinTimer() override;
    WinTimer(const WinTimer&) = delete;
    WinTimer& operator=(const WinTimer&) = delete;

    void SetOwner(HWND owner);
    UINT_PTR Id() const { return id_; }

    void SetInterval(std::uint32_t ms) override;
    std::uint32_t Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }

  private:
    // Starts a new period when the timer should run, stops it otherwise.
    void Rearm();
    void Stop();

    UINT_PTR id_;
    HWND owner_;
    std::uint32_t interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
};

}  // namespace rilto
