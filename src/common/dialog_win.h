#pragma once
// What the program's dialogs share: their object behind the dialog procedure, no C++
// exception ever leaving it, the busy pointer, their own layout at a new DPI, and where
// a dialog goes on the screen.

#include <windows.h>

#include <utility>

#include "common/guarded_call_win.h"

namespace rilto {

// The object of a dialog made with it as WM_INITDIALOG's parameter, which is kept in
// DWLP_USER from then on: null before that message and after the object let go.
template <class T>
T* DialogObject(HWND dialog, UINT msg, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        return reinterpret_cast<T*>(lp);
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// One message of a dialog, handled so that no C++ exception leaves its procedure: a
// failure is traced as `what` ("a settings dialog message") and the message counts as
// not handled.
template <class Handle>
INT_PTR GuardedDialogMessage(const char* what, Handle&& handle) noexcept {
    return GuardedCall(what, std::forward<Handle>(handle), [] { return INT_PTR{FALSE}; });
}

// The hourglass while something takes its time; the pointer as it was afterwards.
class BusyCursor {
  public:
    BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { SetCursor(old_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    HCURSOR old_;
};

// The dialog manager leaves the dialog's layout alone when its DPI changes: the dialog
// lays itself out. Nothing happens on Windows older than 10 1703.
void KeepDialogScalingOff(HWND dialog);

// On the primary monitor's work area, where the tray is: 1/`parts` of the room around
// the window to its left and above it (2 centres it), its top kept on the work area.
void PlaceOnWorkArea(HWND window, int parts);

}  // namespace rilto
