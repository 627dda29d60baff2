#include "engine/timer_win.h"

#include <map>
#include <utility>

#include "common/trace_win.h"

namespace rilto {

namespace {

// Every timer of the user-interface thread by its id.
std::map<UINT_PTR, WinTimer*>& Timers() {
    static std::map<UINT_PTR, WinTimer*> timers;
    return timers;
}

UINT_PTR NextId() {
    static UINT_PTR last = 0;
    return ++last;
}

}  // namespace

WinTimer::WinTimer(std::string name) : name_(std::move(name)), id_(NextId()) {
    Timers()[id_] = this;
}

WinTimer::~WinTimer() {
    Stop();
    Timers().erase(id_);
}

void WinTimer::Attach(HWND owner, std::function<void()> onTick) {
    Stop();
    owner_ = owner;
    onTick_ = std::move(onTick);
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

bool WinTimer::Dispatch(UINT_PTR id) {
    const auto it = Timers().find(id);
    if (it == Timers().end() || !it->second->running_ || !it->second->onTick_) {
        return false;
    }
    it->second->onTick_();
    return true;
}

void WinTimer::Rearm() {
    // An interval of 0 never fires, as on a form.
    if (!enabled_ || interval_ == 0 || owner_ == nullptr) {
        Stop();
        return;
    }
    // SetTimer with the id of a running timer replaces it and starts a new period.
    running_ = SetTimer(owner_, id_, interval_, nullptr) != 0;
    if (!running_) {
        TraceLastError("the timer " + name_ + " does not start");
    }
}

void WinTimer::Stop() {
    if (running_) {
        KillTimer(owner_, id_);
        running_ = false;
    }
}

}  // namespace rilto
