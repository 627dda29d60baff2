#include "shell/tray_icon_win.h"

#include <commctrl.h>
#include <shellapi.h>

namespace rilto {

namespace {
constexpr UINT kIconId = 1;
// The icon reports through the hook window's mouse-move message.
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
constexpr wchar_t kTip[] = L"Rilto Micropause";
}  // namespace

TrayIcon::TrayIcon(HWND window, HICON icon) : window_(window), icon_(icon) {}

NOTIFYICONDATAW TrayIcon::Record() const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window_;
    nid.uID = kIconId;
    return nid;
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW nid = Record();
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kCallbackMessage;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, kTip, ARRAYSIZE(nid.szTip));
    // After Explorer restarts the old icon is gone, but the add must also work
    // when it is still there.
    Shell_NotifyIconW(NIM_DELETE, &nid);
    shown_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    return shown_;
}

void TrayIcon::Delete() {
    NOTIFYICONDATAW nid = Record();
    Shell_NotifyIconW(NIM_DELETE, &nid);
    shown_ = false;
}

UniqueIcon LoadTrayIcon(HINSTANCE instance, int resourceId) {
    HICON icon = nullptr;
    if (FAILED(LoadIconMetric(instance, MAKEINTRESOURCEW(resourceId), LIM_SMALL, &icon))) {
        icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
    }
    return UniqueIcon(icon);
}

}  // namespace rilto
