#include "exercise/media_bar_win.h"

#include "common/texts.h"
#include "exercise/frm_x_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "common/dpi_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kClass[] = L"RiltoMediaBar";

// Tooltips of the buttons, in MediaButton order.
constexpr const char* kTips[kMediaButtons] = {kPreviousTip, kNextTip, kPlayTip, kPauseTip,
                                              kStopTip};
// In MediaButton order.
constexpr int kButtonIds[kMediaButtons] = {IDC_X_PREVIOUS, IDC_X_NEXT, IDC_X_PLAY, IDC_X_PAUSE,
                                           IDC_X_STOP};
// A button's id less one is its MediaButton.
static_assert(IDC_X_PREVIOUS == 1 && IDC_X_STOP == IDC_X_PREVIOUS + kMediaButtons - 1);
// The places from left to right; play and pause share the third.
constexpr int kPlaceOf[kMediaButtons] = {0, 1, 2, 2, 3};
constexpr int kPlaces = 4;

// Sizes at 96 DPI.
constexpr int kButtonWidth96 = 36;
constexpr int kButtonHeight96 = 28;
constexpr int kGap96 = 4;

// Light symbols on dark buttons, as the player around them is dark.
constexpr COLORREF kFace = RGB(60, 60, 60);
constexpr COLORREF kFacePushed = RGB(95, 95, 95);
constexpr COLORREF kFaceDisabled = RGB(40, 40, 40);
constexpr COLORREF kEdge = RGB(130, 130, 130);
constexpr COLORREF kSymbol = RGB(235, 235, 235);
constexpr COLORREF kSymbolDisabled = RGB(105, 105, 105);

// The symbol of the button in the square `box`, with the DC's pen and brush.
void DrawSymbol(HDC dc, MediaButton button, const RECT& box) {
    const int l = box.left;
    const int t = box.top;
    const int s = box.right - box.left;
    const int mid = t + s / 2;
    const int bar = std::max(2, s / 5);
    switch (button) {
        case MediaButton::Play: {
            const POINT p[] = {{l + s / 8, t}, {l + s / 8, t + s}, {l + s - s / 8, mid}};
            Polygon(dc, p, 3);
            break;
        }
        case MediaButton::Pause:
            Rectangle(dc, l + s / 8, t, l + s / 8 + bar + 1, t + s + 1);
            Rectangle(dc, l + s - s / 8 - bar, t, l + s - s / 8 + 1, t + s + 1);
            break;
        case MediaButton::Stop:
            Rectangle(dc, l + s / 10, t + s / 10, l + s - s / 10 + 1, t + s - s / 10 + 1);
            break;
        case MediaButton::Previous: {
            Rectangle(dc, l, t, l + bar, t + s + 1);
            const POINT p[] = {{l + s, t}, {l + s, t + s}, {l + bar, mid}};
            Polygon(dc, p, 3);
            break;
        }
        case MediaButton::Next: {
            Rectangle(dc, l + s - bar + 1, t, l + s + 1, t + s + 1);
            const POINT p[] = {{l, t}, {l, t + s}, {l + s - bar + 1, mid}};
            Polygon(dc, p, 3);
            break;
        }
    }
}

}  // namespace

bool MediaBar::Create(HWND parent, int childId, UINT dpi, MediaBarEvents events) {
    events_ = std::move(events);
    dpi_ = dpi;
    background_.reset(CreateSolidBrush(RGB(0, 0, 0)));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(WindowClass{kClass, 0, nullptr}) ||
        !CreateWindowOf(kClass, WS_EX_CONTROLPARENT,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{}, parent,
                        childId) ||
        !CreateButtons()) {
        return false;
    }
    ShowPlay(false);
    LayOut();
    return true;
}

bool MediaBar::CreateButtons() {
    for (std::size_t i = 0; i < kMediaButtons; ++i) {
        buttons_[i] = CreateWindowExW(
            0, L"Button", Widen(kTips[i]).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIds[i])), ThisModule(), nullptr);
        if (buttons_[i] == nullptr) {
            return false;
        }
    }
    // The tooltip has no owner: a topmost window owned by the player keeps Wine from
    // making the player itself topmost. It comes and goes with the bar.
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   ThisModule(), nullptr));
    for (std::size_t i = 0; i < kMediaButtons && tooltip_ != nullptr; ++i) {
        std::wstring tip = Widen(kTips[i]);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(buttons_[i]);
        tool.lpszText = tip.data();
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void MediaBar::ShowPlay(bool play) {
    const HWND shown = Button(play ? MediaButton::Play : MediaButton::Pause);
    const HWND hidden = Button(play ? MediaButton::Pause : MediaButton::Play);
    const bool hadFocus = GetFocus() == hidden;
    ShowWindow(shown, SW_SHOWNA);
    ShowWindow(hidden, SW_HIDE);
    if (hadFocus) {
        SetFocus(shown);
    }
}

bool MediaBar::ShowsPlay() const {
    return (GetWindowLongPtrW(Button(MediaButton::Play), GWL_STYLE) & WS_VISIBLE) != 0;
}

void MediaBar::SetDpi(UINT dpi) {
    dpi_ = dpi;
    LayOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MediaBar::SetBackground(COLORREF color) {
    background_.reset(CreateSolidBrush(color));
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MediaBar::LayOut() {
    const int width = ScaledToDpi(kButtonWidth96, dpi_);
    const int height = ScaledToDpi(kButtonHeight96, dpi_);
    const int gap = ScaledToDpi(kGap96, dpi_);
    for (std::size_t i = 0; i < kMediaButtons; ++i) {
        SetWindowPos(buttons_[i], nullptr, gap + kPlaceOf[i] * (width + gap), gap, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    size_ = SIZE{gap + kPlaces * (width + gap), height + 2 * gap};
    SetWindowPos(hwnd(), nullptr, 0, 0, size_.cx, size_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MediaBar::Draw(const DRAWITEMSTRUCT& item) const {
    const auto button = static_cast<MediaButton>(item.CtlID - 1);
    const HDC dc = item.hDC;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    RECT r = item.rcItem;

    const UniqueGdi<HBRUSH> face(
        CreateSolidBrush(disabled ? kFaceDisabled : (pushed ? kFacePushed : kFace)));
    const UniqueGdi<HPEN> edge(CreatePen(PS_SOLID, 1, disabled ? kFace : kEdge));
    {
        const SelectedObject pen(dc, edge.get());
        const SelectedObject brush(dc, face.get());
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }

    // The symbol in a square of half the button's height, pressed in a pixel when pushed.
    const int side = (r.bottom - r.top) / 2;
    const int shift = pushed ? 1 : 0;
    const int left = (r.left + r.right - side) / 2 + shift;
    const int top = (r.top + r.bottom - side) / 2 + shift;
    const COLORREF color = disabled ? kSymbolDisabled : kSymbol;
    const UniqueGdi<HBRUSH> symbolBrush(CreateSolidBrush(color));
    const UniqueGdi<HPEN> symbolPen(CreatePen(PS_SOLID, 1, color));
    {
        const SelectedObject pen(dc, symbolPen.get());
        const SelectedObject brush(dc, symbolBrush.get());
        DrawSymbol(dc, button, RECT{left, top, left + side, top + side});
    }

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        const int inset = std::max(2, ScaledToDpi(3, dpi_));
        InflateRect(&r, -inset, -inset);
        SetTextColor(dc, kSymbol);
        SetBkColor(dc, kFace);
        DrawFocusRect(dc, &r);
    }
}

void MediaBar::Clicked(MediaButton button) {
    const std::function<void()>* event = nullptr;
    switch (button) {
        case MediaButton::Previous:
            event = &events_.previous;
            break;
        case MediaButton::Next:
            event = &events_.next;
            break;
        case MediaButton::Play:
            ShowPlay(false);
            event = &events_.play;
            break;
        case MediaButton::Pause:
            ShowPlay(true);
            event = &events_.pause;
            break;
        case MediaButton::Stop:
            event = &events_.stop;
            break;
    }
    if (event != nullptr && *event) {
        (*event)();
    }
}

LRESULT MediaBar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(hwnd(), &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, background_.get());
            return 1;
        }
        case WM_DRAWITEM:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_COMMAND: {
            const UINT id = LOWORD(wp);
            // Owner-drawn buttons report a quick second click as a double click.
            const UINT code = HIWORD(wp);
            if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && id >= 1 &&
                id <= kMediaButtons) {
                Clicked(static_cast<MediaButton>(id - 1));
            }
            return 0;
        }
        case WM_DESTROY:
            tooltip_.reset();
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

}  // namespace rilto
