#include "engine/frm_rilto_win.h"

#include <wtsapi32.h>

#include <utility>

#include "common/capture_exclusion_win.h"
#include "common/dpi_win.h"
#include "common/product.h"
#include "common/raise.h"
#include "common/resource_ids.h"
#include "common/texts.h"
#include "common/wide_text_win.h"
#include "engine/frm_rilto_ids.h"
#include "engine/monitors_win.h"
#include "engine/timer_win.h"

namespace rilto {

namespace {

constexpr wchar_t kClass[] = L"RiltoMicropauseMain";
// The black border around the panel in the status window, at 96 DPI.
constexpr int kBorder96 = 8;

PanelItem ItemOf(ViewLabel label) {
    switch (label) {
        case ViewLabel::lblExercise:
            return PanelItem::lblExercise;
        case ViewLabel::lblvoluntary:
            return PanelItem::lblvoluntary;
        case ViewLabel::lblrilto:
            return PanelItem::lblrilto;
        case ViewLabel::lblESC:
            return PanelItem::lblESC;
    }
    return PanelItem::lblESC;
}

}  // namespace

bool FrmRilto::Create(FrmRiltoEvents events) {
    events_ = std::move(events);
    const WindowClass form{kClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                           LoadIconW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO))};
    // A tool window: no task-bar button, no entry among the running applications.
    if (!RegisterWindowClass(form) ||
        !CreateWindowOf(kClass, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, RECT{}, nullptr, 0)) {
        return false;
    }
    SetWindowTextTo(hwnd(), kProductTitle);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");

    MicropausePanelEvents panelEvents;
    panelEvents.okClicked = [this] { Raise(events_.statusOk); };
    panelEvents.escapeHintDoubleClicked = [this] { Raise(events_.skipRequested); };
    panelEvents.voluntaryDoubleClicked = [this] { Raise(events_.diagnosticsRequested); };
    panelEvents.resized = [this] { OnPanelResized(); };
    if (!panel_.Create(hwnd(), DpiOfWindow(hwnd()), std::move(panelEvents))) {
        return false;
    }
    // Cancel stays on the form, out of sight: ESC presses it.
    cmdCancel_ = CreateWindowExW(
        0, L"Button", Widen(kCancelCaption).c_str(), WS_CHILD | WS_VISIBLE,
        2 * GetSystemMetrics(SM_CXVIRTUALSCREEN), 2 * GetSystemMetrics(SM_CYVIRTUALSCREEN), 80, 24,
        hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), ThisModule(), nullptr);
    Place();
    sessions_.Register(hwnd());
    return true;
}

// Without the service (it may start after the program at log-on), locks go unheard and
// only the silence of the input tells of time away.
void SessionNotifications::Register(HWND hwnd) {
    if (WTSRegisterSessionNotification(hwnd, NOTIFY_FOR_THIS_SESSION)) {
        hwnd_ = hwnd;
    }
}

void SessionNotifications::Unregister() {
    if (hwnd_ != nullptr) {
        WTSUnRegisterSessionNotification(hwnd_);
        hwnd_ = nullptr;
    }
}

void FrmRilto::HideFromCapture(bool hide) {
    KeepOutOfCapture(hwnd(), hide);
    covers_.HideFromCapture(hide);
}

void FrmRilto::BindProgressBar(CProgressBar& bar) {
    ProgressCanvasWindow& picPB = panel_.Canvas();
    canvas_ = std::make_unique<GdiProgressCanvas>(picPB.hwnd());
    bar.SetCanvas(canvas_.get());
    picPB.OnPaint([this, &bar](HDC dc) { PaintProgressBar(bar, *canvas_, dc); });
    picPB.OnResize([&bar] { bar.ResizeEx(); });
    SetVisible(ViewControl::picPB, false);
}

bool FrmRilto::TranslateDialogMessage(MSG* msg) {
    return hwnd() != nullptr && IsDialogMessageW(hwnd(), msg);
}

void FrmRilto::ShowStatusWindow() {
    HideForm();
    SetWindowState(WindowState::Normal);
    ShowForm();
}

void FrmRilto::Place() {
    const std::vector<Monitor> monitors = CurrentMonitors();
    placing_ = true;
    for (int attempt = 0; attempt < 3; ++attempt) {
        placeAgain_ = false;
        ScreenRect place;
        if (state_ == WindowState::Maximised) {
            const BlankScreens screens = PlanBlankScreens(monitors);
            place = screens.main;
            covers_.Place(screens.covers);
            if (IsWindowVisible(hwnd())) {
                covers_.Show();
            }
        } else {
            const int border = ScaleToDpi(kBorder96, static_cast<int>(panel_.Dpi()));
            const SIZE panel = panel_.Size();
            RECT frame{0, 0, panel.cx + 2 * border, panel.cy + 2 * border};
            AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
            place = NormalPlace(monitors, frame.right - frame.left, frame.bottom - frame.top);
            covers_.Remove();
        }
        SetWindowPos(hwnd(), nullptr, place.left, place.top, place.width(), place.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (!placeAgain_) {
            break;
        }
    }
    placing_ = false;
    FormResize();
}

void FrmRilto::FormResize() {
    if (IsIconic(hwnd())) {
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    RECT client;
    GetClientRect(hwnd(), &client);
    const SIZE panel = panel_.Size();
    SetWindowPos(panel_.hwnd(), nullptr, (client.right - panel.cx) / 2,
                 (client.bottom - panel.cy) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmRilto::OnDpiChanged(UINT dpi) {
    if (dpi == panel_.Dpi()) {
        return;
    }
    panel_.SetDpi(dpi);
    if (placing_) {
        placeAgain_ = true;
    } else {
        Place();
    }
}

void FrmRilto::OnPanelResized() {
    // A status window grows and shrinks with its panel; a blanked screen stays put.
    if (state_ == WindowState::Normal && !placing_) {
        Place();
    } else {
        FormResize();
    }
}

LRESULT FrmRilto::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                Raise(events_.statusOk);
            } else if (LOWORD(wp) == IDCANCEL) {
                Raise(events_.escapePressed);
            }
            return 0;
        case WM_HOTKEY:
            if (EscapeHotKey::IsEscape(wp)) {
                Raise(events_.escapePressed);
            } else {
                Raise(events_.hotKey, static_cast<int>(wp));
            }
            return 0;
        case WM_TIMER:
            WinTimer::Dispatch(wp);
            return 0;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_CLOSE:
            // Never destroyed by a close: the program lives on in the tray.
            Raise(events_.closeRequested);
            return 0;
        case WM_ENDSESSION:
            if (wp) {
                Raise(events_.sessionEnding);
            }
            return 0;
        case WM_POWERBROADCAST:
            // Windows tells top-level windows only, which is why the main form hears it.
            if (const SystemNotice notice = PowerNotice(wp); notice != SystemNotice::None) {
                Raise(events_.systemNotice, notice);
            }
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (const SystemNotice notice = SessionNotice(wp); notice != SystemNotice::None) {
                Raise(events_.systemNotice, notice);
            }
            return 0;
        case WM_TIMECHANGE:
        case WM_SETTINGCHANGE:
            // Both reach top-level windows only. A change of the time zone comes as
            // either, depending on the version of Windows; any setting is cheap to take
            // for one.
            Raise(events_.timeChanged);
            return Default(msg, wp, lp);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wp));
            return 0;
        case WM_DISPLAYCHANGE:
            // A resolution change or a monitor added or removed: where the form is shown,
            // it follows.
            if (IsWindowVisible(hwnd())) {
                Place();
            }
            return 0;
        default:
            if (msg == taskbarCreated_ && msg != 0) {
                Raise(events_.taskbarCreated);
                return 0;
            }
            return Default(msg, wp, lp);
    }
}

void FrmRilto::SetCaption(ViewLabel label, const std::string& text) {
    panel_.SetCaption(ItemOf(label), text);
}

void FrmRilto::SetVisible(ViewControl control, bool visible) {
    switch (control) {
        case ViewControl::cmdOK:
            panel_.SetVisible(PanelItem::cmdOK, visible);
            break;
        case ViewControl::picPB:
            panel_.SetVisible(PanelItem::picPB, visible);
            break;
        case ViewControl::lblESC:
            panel_.SetVisible(PanelItem::lblESC, visible);
            break;
        case ViewControl::picBlack:
            ShowWindow(panel_.hwnd(), visible ? SW_SHOWNA : SW_HIDE);
            break;
    }
}

// Maximised means covering the whole primary monitor, and the others with covers;
// done by hand, so that it works the same with or without a window manager, and while
// the form is hidden.
void FrmRilto::SetWindowState(WindowState state) {
    state_ = state;
    Place();
}

void FrmRilto::Repaint() {
    UpdateWindow(hwnd());
    UpdateWindow(panel_.hwnd());
}

void FrmRilto::ShowForm() {
    ShowWindow(hwnd(), SW_SHOW);
    if (state_ == WindowState::Maximised) {
        covers_.Show();
    }
    // Windows may refuse the focus to a program that is not in front; ESC still
    // reaches a micropause through its hot key.
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
}

void FrmRilto::HideForm() {
    ShowWindow(hwnd(), SW_HIDE);
    covers_.Remove();
}

void FrmRilto::MakeTopmost() {
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    covers_.Show();
}

void FrmRilto::SendToBottom() {
    SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmRilto::CatchEscape(bool on) {
    if (on) {
        escape_.Catch(hwnd());
    } else {
        escape_.Release();
    }
}

}  // namespace rilto
