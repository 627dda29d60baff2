#pragma once
// The program's icon in the notification area. Its mouse messages arrive at the
// hook window as WM_MOUSEMOVE, with the message over the icon in lParam.

#include <windows.h>
#include <shellapi.h>

#include "common/handles_win.h"

namespace rilto {

// The icon reports through the hook window's mouse-move message, with the mouse message
// over the icon in lParam.
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

class TrayIcon {
  public:
    TrayIcon(HWND window, HICON icon);
    ~TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // False when the taskbar is not there yet (at log-on, say): try again later.
    bool Add();
    void Delete();

  private:
    NOTIFYICONDATAW Record() const;

    HWND window_;
    HICON icon_;
};

// The program icon at the size the tray uses on this screen, sharp on high DPI.
UniqueIcon LoadTrayIcon(HINSTANCE instance, int resourceId);

}  // namespace rilto
