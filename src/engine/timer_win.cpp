#include "engine/timer_win.h"

namespace rilto {

WinTimer::WinTimer(UINT_PTR id, HWND owner) : id_(id), owner_(owner) {}

WinTimer::~WinTimer() {
    Stop();
}

void WinTimer::SetOwner(HWND owner) {
    Stop();
    owner_ = owner;
    Rearm();
}

// Like a form timer, a new interval starts a new period, even when it is the same.
void WinTimer::SetInterval(std::uint32_t ms) {
    interval_ = ms;
    if (enabled_) {
        Rearm();
    }
}

// Enabling a running timer keeps its period; enabling a stopped one starts one.
void WinTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Rearm();
}

void WinTimer::Rearm() {
    // An interval of 0 never fires, as on a form.
    if (!enabled_ || interval_ == 0 || owner_ == nullptr) {
        Stop();
        return;
    }
    // SetTimer with the id of a running timer replaces it and starts a new period.
    running_ = SetTimer(owner_, id_, interval_, nullptr) != 0;
}

void WinTimer::Stop() {
    if (running_) {
        KillTimer(owner_, id_);
        running_ = false;
    }
}

}  // namespace rilto
