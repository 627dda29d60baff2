#include "shell/tray_icon_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "common/product.h"
#include "common/resource_ids.h"
#include "common/texts.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "shell/tray_icon_record.h"

namespace rilto {

static_assert(kTrayFlagMessage == NIF_MESSAGE && kTrayFlagIcon == NIF_ICON &&
              kTrayFlagTip == NIF_TIP && kTrayFlagShowTip == NIF_SHOWTIP);
static_assert(kTrayNotifyVersion == NOTIFYICON_VERSION_4);
static_assert(kTrayCallbackMessage == WM_MOUSEMOVE);

TrayIcon::TrayIcon(HWND window, HICON icon) : window_(window), icon_(icon) {}

NOTIFYICONDATAW TrayIcon::Record() const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = window_;
    nid.uID = kTrayIconId;
    return nid;
}

NOTIFYICONDATAW TrayIcon::Shown(TrayIconCall call) const {
    const TrayIconRecord record =
        TrayRecordFor(call, pausedUntil_, micropausesToday_, offHours_, readingMode_);
    NOTIFYICONDATAW nid = Record();
    nid.uFlags = record.flags;
    nid.uCallbackMessage = record.callbackMessage;
    nid.hIcon = record.pausedIcon && pausedIcon_ ? pausedIcon_.get() : icon_;
    lstrcpynW(nid.szTip, Widen(record.tip).c_str(), ARRAYSIZE(nid.szTip));
    return nid;
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW nid = Shown(TrayIconCall::Add);
    // After Explorer restarts the old icon is gone, but the add must also work
    // when it is still there.
    Shell_NotifyIconW(NIM_DELETE, &nid);
    added_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    if (added_) {
        // Asked anew after every add; a taskbar that refuses keeps the old form, which
        // the hook window reads as well.
        nid.uVersion = kTrayNotifyVersion;
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

void TrayIcon::SetPausedUntil(const std::string& until) {
    pausedUntil_ = until;
    Changed();
}

void TrayIcon::SetOffHours(const OffHoursShown& offHours) {
    if (offHours_ == offHours) {
        return;
    }
    offHours_ = offHours;
    Changed();
}

void TrayIcon::SetReadingMode(bool on) {
    if (readingMode_ == on) {
        return;
    }
    readingMode_ = on;
    Changed();
}

void TrayIcon::Changed() {
    if ((!pausedUntil_.empty() || offHours_.active) && !pausedIcon_) {
        pausedIcon_ = LoadTrayIcon(ThisModule(), IDI_RILTO_PAUSED);
    }
    if (added_) {
        // A taskbar that has lost the icon gets the state with the next add.
        NOTIFYICONDATAW nid = Shown(TrayIconCall::Modify);
        Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
}

void TrayIcon::SetMicropausesToday(int count) {
    if (micropausesToday_ == count) {
        return;
    }
    micropausesToday_ = count;
    if (added_) {
        NOTIFYICONDATAW nid = Shown(TrayIconCall::Modify);
        Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
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
