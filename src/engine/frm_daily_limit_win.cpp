#include "engine/frm_daily_limit_win.h"

#include "common/dpi_win.h"
#include "common/raise.h"
#include "common/window_win.h"
#include "engine/frm_daily_limit_ids.h"

namespace rilto {

namespace {

constexpr wchar_t kClassName[] = L"" RILTO_DAILY_LIMIT_CLASS;
// Between the window and the work area's corner, at 96 DPI.
constexpr int kCornerMargin96 = 12;

// The work area of the monitor the pointer is on, or of the primary one.
RECT WorkAreaUnderPointer() {
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &info)) {
        return info.rcWork;
    }
    return PrimaryWorkArea();
}

}  // namespace

FrmDailyLimit::FrmDailyLimit() : Dialog(IDD_DAILY_LIMIT, DialogFont::Message) {}

bool FrmDailyLimit::Create(FrmDailyLimitEvents events) {
    events_ = std::move(events);
    return RegisterDialogClass(kClassName) && CreateModeless(nullptr);
}

void FrmDailyLimit::ShowDailyLimit(std::int32_t workedMinutes, std::int32_t limitMinutes) {
    SetWindowTextTo(Item(IDC_LIMIT_TEXT), DailyLimitText(workedMinutes, limitMinutes));
    PlaceInCorner();
    // In front of everything, but the focus stays where the user is typing.
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmDailyLimit::CloseDailyLimit() {
    ShowWindow(hwnd(), SW_HIDE);
}

void FrmDailyLimit::PlaceInCorner() {
    // Moved onto the monitor first, so that it is laid out for that monitor's DPI.
    const RECT work = WorkAreaUnderPointer();
    SetWindowPos(hwnd(), nullptr, work.left, work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const UINT dpi = DpiOfWindow(hwnd());
    LayOut(dpi, Sizing::Template);
    const SIZE frame = FrameSize(hwnd());
    const int margin = ScaledToDpi(kCornerMargin96, dpi);
    SetWindowPos(hwnd(), nullptr, work.right - frame.cx - margin, work.bottom - frame.cy - margin,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR FrmDailyLimit::HandleMessage(UINT msg, WPARAM wp, LPARAM /*lp*/) {
    switch (msg) {
        case WM_INITDIALOG:
            return FALSE;  // no focus: the window never takes it by itself
        case WM_COMMAND:
            return OnCommand(LOWORD(wp)) ? TRUE : FALSE;
        case WM_CLOSE:
            Raise(events_.remindMeLater);
            return TRUE;
        default:
            return FALSE;
    }
}

bool FrmDailyLimit::OnCommand(int id) {
    switch (id) {
        case IDC_LIMIT_STOP:
            Raise(events_.stopForToday);
            return true;
        case IDOK:
        case IDC_LIMIT_LATER:
        case IDCANCEL:
            Raise(events_.remindMeLater);
            return true;
        default:
            return false;
    }
}

}  // namespace rilto
