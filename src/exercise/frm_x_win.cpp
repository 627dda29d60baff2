#include "exercise/frm_x_win.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

#include "common/dpi_win.h"
#include "common/raise.h"
#include "common/resource_ids.h"
#include "common/scoped_flag.h"
#include "common/texts.h"
#include "exercise/frm_x_ids.h"
#include "common/wide_text_win.h"
#include "exercise/exercise_media.h"

namespace rilto {

namespace {

constexpr wchar_t kClass[] = L"RiltoExercisePlayer";
constexpr wchar_t kBackdropClass[] = L"RiltoExerciseBackdrop";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Room for the smallest video until the first exercise sizes the window.
constexpr RECT kFirstPlace{0, 0, 320, 280};
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Blanking: the window is to cover its monitor's work area again.
constexpr UINT kCoverMessage = WM_APP + 1;

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

RECT WorkAreaOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

}  // namespace

bool BlackBackdrop::Create(HWND parent, int childId) {
    return RegisterWindowClass(
               WindowClass{kBackdropClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}) &&
           CreateWindowOf(kBackdropClass, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, RECT{},
                          parent, childId);
}

FrmX::FrmX(const Settings& settings, std::string programFolder)
    : settings_(settings), programFolder_(std::move(programFolder)) {}

bool FrmX::Create(FrmXEvents events) {
    events_ = std::move(events);
    const WindowClass player{kClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                             LoadIconW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO))};
    if (!RegisterWindowClass(player) ||
        !CreateWindowOf(kClass, WS_EX_CONTROLPARENT, kStyle, kFirstPlace, nullptr, 0) ||
        !picBlack_.Create(hwnd(), IDC_X_BACKDROP) || !amx_.Create(hwnd(), IDC_X_SURFACE)) {
        return false;
    }
    MediaBarEvents bar;
    bar.previous = [this] { Raise(events_.previous); };
    bar.next = [this] { Raise(events_.skip); };
    bar.play = [this] { Raise(events_.toggleCountdown); };
    bar.pause = [this] { Raise(events_.toggleCountdown); };
    bar.stop = [this] { RequestStop(); };
    if (!bar_.Create(hwnd(), IDC_X_BAR, DpiOfWindow(hwnd()), std::move(bar))) {
        return false;
    }
    SetWindowTextTo(hwnd(), kPlayerCaption);
    LayOut();
    return true;
}

bool FrmX::PreTranslate(MSG* msg) {
    if (hwnd() == nullptr || msg == nullptr || msg->hwnd == nullptr) {
        return false;
    }
    const HWND surface = amx_.hwnd();
    if ((msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK) &&
        (msg->hwnd == surface || IsChild(surface, msg->hwnd))) {
        SurfaceClicked(*msg);
        return true;
    }
    if (msg->hwnd != hwnd() && !IsChild(hwnd(), msg->hwnd)) {
        return false;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        RequestStop();
        return true;
    }
    // Tab between the buttons, space to press one.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
        return IsDialogMessageW(hwnd(), msg) != FALSE;
    }
    return false;
}

// The video window's class takes no double clicks, so a second click within the
// double-click time and distance of the first is the double click.
void FrmX::SurfaceClicked(const MSG& msg) {
    const bool second =
        msg.message == WM_LBUTTONDBLCLK ||
        (clickPending_ && msg.time - clickTime_ <= GetDoubleClickTime() &&
         std::abs(msg.pt.x - clickPoint_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(msg.pt.y - clickPoint_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2);
    if (second) {
        clickPending_ = false;
        Raise(events_.endBreak);
        return;
    }
    clickPending_ = true;
    clickTime_ = msg.time;
    clickPoint_ = msg.pt;
    Raise(events_.skip);
}

void FrmX::RequestStop() {
    if (!asking_) {
        Raise(events_.stop);
    }
}

void FrmX::PrepareBreak() {
    amx_.SetBackground(kBlack);
    bar_.ShowPlay(false);
    clickPending_ = false;
}

void FrmX::PresentExercise(const std::string& file, bool first) {
    const std::string ending = ShowExercise(video_, amx_, file, settings_.ViewAm, programFolder_);
    blank_ = settings_.BlankX;
    if (blank_) {
        // A change of mode in the middle of a break is taken as a fresh start.
        if (first || !CoversWorkArea()) {
            ShowWindow(amx_.hwnd(), SW_HIDE);
            ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
            CoverWorkArea();
            UpdateWindow(hwnd());
        }
        LayOut();
    } else {
        if (first || IsZoomed(hwnd()) || IsIconic(hwnd())) {
            ShowWindow(hwnd(), SW_SHOWNORMAL);
            UpdateWindow(hwnd());
        }
        FitToContent();
        KeepCentred();
    }
    ShowWindow(amx_.hwnd(), SW_SHOWNA);
    SetWindowPos(picBlack_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (first) {
        ShowWindow(hwnd(), SW_SHOW);
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        UpdateWindow(hwnd());
        // Windows may keep the foreground with the program the user works in; the
        // break runs just the same, topmost, and ESC reaches it through the hot key.
        SetForegroundWindow(hwnd());
    }
    escape_.Catch(hwnd());
    if (KindOfMedia(ending) == MediaKind::Video) {
        video_.Play();
    }
}

void FrmX::SetCaption(const std::string& text) {
    SetWindowTextTo(hwnd(), text);
}

void FrmX::CloseVideo() {
    video_.Close();
}

void FrmX::ClosePlayer() {
    escape_.Release();
    CloseVideo();
    SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
    // Nothing of the last exercise is held between breaks.
    amx_.SetPicture(nullptr);
}

bool FrmX::AskQuit() {
    const ScopedFlag asking(asking_);
    // The question has the keys while it is open; after No, ESC is the break's again.
    escape_.Suspend();
    const bool quit =
        MessageBoxW(hwnd(), Widen(kQuitExerciseQuestion).c_str(), Widen(kQuitExerciseTitle).c_str(),
                    MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) == IDYES;
    escape_.Resume();
    return quit;
}

void FrmX::LayOut() {
    if (IsIconic(hwnd())) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    const SurfaceSize surface = amx_.Size();
    const SIZE bar = bar_.Size();
    // Blanking, the exercise sits in the middle of what the bar leaves free; otherwise
    // in the corner of a window made to fit it.
    const int surfaceLeft = blank_ ? (client.right - surface.width) / 2 : 0;
    const int surfaceTop =
        blank_ ? std::max<int>(0, (client.bottom - bar.cy - surface.height) / 2) : 0;
    SetWindowPos(amx_.hwnd(), nullptr, surfaceLeft, surfaceTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(bar_.hwnd(), HWND_TOP, (client.right - bar.cx) / 2, client.bottom - bar.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(picBlack_.hwnd(), HWND_BOTTOM, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
}

void FrmX::FitToContent() {
    const SurfaceSize surface = amx_.Size();
    const SIZE bar = bar_.Size();
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd(), &window);
    GetClientRect(hwnd(), &client);
    // The frame as it is now, at this DPI, whatever the caption's height.
    const int width = std::max<int>(surface.width, bar.cx) + Width(window) - client.right;
    const int height = surface.height + bar.cy + Height(window) - client.bottom;
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

void FrmX::KeepCentred() {
    const RECT work = WorkAreaOf(hwnd());
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const std::int32_t dpi = static_cast<std::int32_t>(DpiOfWindow(hwnd()));
    const auto twips = [dpi](int px) { return px * kTwipsPerInch / dpi; };
    const std::optional<Place> place =
        RecentredPlace(Place{twips(window.left - work.left), twips(window.top - work.top)},
                       SurfaceSize{twips(Width(window)), twips(Height(window))},
                       SurfaceSize{twips(Width(work)), twips(Height(work))});
    if (place) {
        SetWindowPos(hwnd(), nullptr, work.left + place->left * dpi / kTwipsPerInch,
                     work.top + place->top * dpi / kTwipsPerInch, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool FrmX::CoversWorkArea() const {
    const RECT work = WorkAreaOf(hwnd());
    RECT window{};
    GetWindowRect(hwnd(), &window);
    return window.left <= work.left && window.top <= work.top && window.right >= work.right &&
           window.bottom >= work.bottom;
}

void FrmX::CoverWorkArea() {
    if (covering_ || CoversWorkArea()) {
        return;
    }
    covering_ = true;
    // Maximised in name only, and a maximised window keeps its size: restored, it can
    // be given the work area.
    if (IsZoomed(hwnd())) {
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }
    const RECT work = WorkAreaOf(hwnd());
    SetWindowPos(hwnd(), nullptr, work.left, work.top, Width(work), Height(work),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    covering_ = false;
}

void FrmX::OnDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, Width(suggested),
                 Height(suggested), SWP_NOZORDER | SWP_NOACTIVATE);
    bar_.SetDpi(dpi);
    if (blank_) {
        LayOut();
    } else {
        FitToContent();
    }
}

LRESULT FrmX::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (wp == SIZE_MINIMIZED) {
                return 0;
            }
            // Without a window manager (Wine on a bare X server) nothing makes the window
            // maximised: soon after, Wine gives it its old size back. Blanking, it covers
            // the work area all the same, once Wine is done with the change.
            if (blank_ && !covering_ && !coverPosted_ && IsWindowVisible(hwnd()) &&
                !CoversWorkArea()) {
                coverPosted_ = PostMessageW(hwnd(), kCoverMessage, 0, 0) != FALSE;
            }
            LayOut();
            return 0;
        case kCoverMessage:
            coverPosted_ = false;
            if (blank_ && IsWindowVisible(hwnd())) {
                CoverWorkArea();
            }
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_KEYDOWN:
            // ESC reaches here only from a loop that does not call PreTranslate.
            if (wp == VK_ESCAPE) {
                RequestStop();
                return 0;
            }
            return Default(msg, wp, lp);
        case WM_HOTKEY:
            if (EscapeHotKey::IsEscape(wp)) {
                RequestStop();
            }
            return 0;
        case WM_CLOSE:
            // The close box asks the quit question; the window itself lives on.
            RequestStop();
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

}  // namespace rilto
