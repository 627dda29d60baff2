#pragma once
// The program's icon in the notification area. Its notifications arrive at the hook
// window as WM_MOUSEMOVE, with the event in the low word of lParam.

#include <windows.h>
#include <shellapi.h>

#include "common/handles_win.h"

namespace rilto {

// The icon reports through the hook window's mouse-move message, with the event in the
// low word of lParam.
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// The icon belongs to its owner: gone with it, deleted once.
class TrayIcon {
  public:
    TrayIcon(HWND window, HICON icon);
    ~TrayIcon() { Delete(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon and asks for the taskbar's newer notifications, which reach the icon
    // from the keyboard too. False when the taskbar is not there yet (at log-on, say):
    // try again later.
    bool Add();
    void Delete();
    // The keyboard focus back to the notification area, after a menu the keyboard opened.
    void ReturnFocus();

  private:
    NOTIFYICONDATAW Record() const;

    HWND window_;
    HICON icon_;
    bool added_ = false;
};

// The program icon at the size the tray uses on this screen, sharp on high DPI.
UniqueIcon LoadTrayIcon(HINSTANCE instance, int resourceId);

}  // namespace rilto
