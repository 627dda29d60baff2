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
    return Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void TrayIcon::Delete() {
    NOTIFYICONDATAW nid = Record();
    Shell_NotifyIconW(NIM_DELETE, &nid);
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
