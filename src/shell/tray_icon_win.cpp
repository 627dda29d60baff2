#include "shell/tray_icon_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "common/product.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {
constexpr UINT kIconId = 1;
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
    nid.uCallbackMessage = kTrayCallbackMessage;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, Widen(kProductTitle).c_str(), ARRAYSIZE(nid.szTip));
    // After Explorer restarts the old icon is gone, but the add must also work
    // when it is still there.
    Shell_NotifyIconW(NIM_DELETE, &nid);
    added_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    if (added_) {
        // Asked anew after every add; a taskbar that refuses keeps the old form, which
        // the hook window reads as well.
        nid.uVersion = NOTIFYICON_VERSION_4;
        Shell_NotifyIconW(NIM_SETVERSION, &nid);
    }
    return added_;
}

void TrayIcon::Delete() {
    if (!added_) {
        return;
    }
    added_ = false;
    NOTIFYICONDATAW nid = Record();
    Shell_NotifyIconW(NIM_DELETE, &nid);
}

void TrayIcon::ReturnFocus() {
    NOTIFYICONDATAW nid = Record();
    Shell_NotifyIconW(NIM_SETFOCUS, &nid);
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
