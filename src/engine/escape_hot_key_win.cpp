#include "engine/escape_hot_key_win.h"

#include <algorithm>
#include <vector>

#include "common/trace_win.h"

namespace rilto {

namespace {

// The owners on this thread that want ESC, in the order they asked; the last holds it.
// Hot keys belong to the thread that registers them, so each thread keeps its own.
thread_local std::vector<EscapeHotKey*> wanting;

}  // namespace

void EscapeHotKey::Catch(HWND window) {
    if (wanted_) {
        // Asked again: another try, should a program have held ESC the last time.
        if (wanting.back() == this) {
            Take();
        }
        return;
    }
    if (!wanting.empty()) {
        wanting.back()->Drop();
    }
    window_ = window;
    wanted_ = true;
    wanting.push_back(this);
    Take();
}

void EscapeHotKey::Release() {
    if (!wanted_) {
        return;
    }
    Drop();
    wanted_ = false;
    suspended_ = false;
    const bool wasLast = wanting.back() == this;
    wanting.erase(std::remove(wanting.begin(), wanting.end(), this), wanting.end());
    if (wasLast && !wanting.empty()) {
        wanting.back()->Take();
    }
}

void EscapeHotKey::Suspend() {
    if (wanted_) {
        suspended_ = true;
        Drop();
    }
}

void EscapeHotKey::Resume() {
    if (wanted_ && suspended_) {
        suspended_ = false;
        if (wanting.back() == this) {
            Take();
        }
    }
}

void EscapeHotKey::Take() {
    if (held_ || suspended_) {
        return;
    }
    held_ = RegisterHotKey(window_, kId, MOD_NOREPEAT, VK_ESCAPE) != FALSE;
    if (!held_) {
        TraceLastError("ESC cannot be caught outside the window that has the focus");
    }
}

void EscapeHotKey::Drop() {
    if (held_) {
        UnregisterHotKey(window_, kId);
        held_ = false;
    }
}

}  // namespace rilto
