#include "engine/micropause_panel_win.h"

#include <utility>

#include "common/dpi_win.h"
#include "common/raise.h"
#include "common/resource_ids.h"
#include "common/texts.h"
#include "common/wide_text_win.h"
#include "engine/frm_rilto_ids.h"

namespace rilto {

namespace {

constexpr wchar_t kClass[] = L"RiltoMicropausePanel";
// Light text on black: the screen asks for rest, not attention.
constexpr COLORREF kPanelColor = RGB(0, 0, 0);
constexpr COLORREF kTextColor = RGB(235, 235, 235);
constexpr int kWarningPoints = 16;
constexpr int kLogoSize96 = 32;

struct ControlPlan {
    PanelItem item;
    int id;
    const wchar_t* windowClass;
    DWORD style;
    const char* caption;
    bool visible = true;
};

// In tab order. The skip hint shows only during a micropause that may be skipped; it
// and lblvoluntary tell of double clicks (SS_NOTIFY).
const ControlPlan kControls[] = {
    {PanelItem::picTevrin, IDC_PICTEVRIN, L"Static", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL,
     ""},
    {PanelItem::lblWarning, IDC_LBLWARNING, L"Static", SS_LEFT, kWarningCaption},
    {PanelItem::lblESC, IDC_LBLESC, L"Static", SS_LEFT | SS_NOTIFY, kEscapeHint, false},
    {PanelItem::lblExercise, IDC_LBLEXERCISE, L"Static", SS_LEFT, kNextExerciseBreakCaption},
    {PanelItem::lblrilto, IDC_LBLRILTO, L"Static", SS_LEFT, kLastRiltoMicropause},
    {PanelItem::lblvoluntary, IDC_LBLVOLUNTARY, L"Static", SS_LEFT | SS_NOTIFY,
     kLastNaturalMicropause},
    {PanelItem::cmdOK, IDOK, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, kOkCaption},
    {PanelItem::lblVersion, IDC_LBLVERSION, L"Static", SS_LEFT, ""},
    // Shown only while it says something; a typed "&" is shown as it is.
    {PanelItem::lblHotKeys, IDC_LBLHOTKEYS, L"Static", SS_LEFT | SS_NOPREFIX, "", false},
};

bool Wraps(PanelItem item) {
    return item != PanelItem::cmdOK && item != PanelItem::lblVersion;
}

// Measures with the fonts the labels draw with, and as the Static control draws:
// word-wrapped, with "&&" as one ampersand.
class GdiPanelMeasure : public PanelTextMeasure {
  public:
    GdiPanelMeasure(HWND panel, const std::array<HWND, kPanelItems>& controls)
        : dc_(panel), controls_(controls) {}

    TextSize Measure(PanelItem item, int maxWidth) override {
        const HWND control = controls_[static_cast<std::size_t>(item)];
        wchar_t text[1024] = L"";
        GetWindowTextW(control, text, 1024);
        if (item == PanelItem::lblHotKeys && text[0] == L'\0') {
            return {};  // no room while every hot key is in use
        }
        // An empty label keeps the height of a line, ready for its text.
        const wchar_t* measured = text[0] != L'\0' ? text : L" ";
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        const SelectedObject selected(dc_.get(), font);
        RECT r{0, 0, maxWidth, 0};
        const UINT format =
            Wraps(item) ? DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS : DT_CALCRECT | DT_SINGLELINE;
        DrawTextW(dc_.get(), measured, -1, &r, format);
        return {r.right - r.left, r.bottom - r.top};
    }

  private:
    WindowDc dc_;
    const std::array<HWND, kPanelItems>& controls_;
};

}  // namespace

bool MicropausePanel::Create(HWND form, UINT dpi, MicropausePanelEvents events) {
    events_ = std::move(events);
    dpi_ = dpi;
    background_.reset(CreateSolidBrush(kPanelColor));
    if (!RegisterWindowClass({kClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}) ||
        !CreateWindowOf(kClass, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        RECT{}, form, IDC_PICBLACK) ||
        !CreateControls()) {
        return false;
    }
    MakeFontsAndLogo();
    LayOut();
    return true;
}

bool MicropausePanel::CreateControls() {
    for (const ControlPlan& plan : kControls) {
        const HWND control = CreateWindowExW(
            0, plan.windowClass, Widen(plan.caption).c_str(),
            WS_CHILD | (plan.visible ? WS_VISIBLE : 0) | plan.style, 0, 0, 0, 0, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.id)), ThisModule(), nullptr);
        if (control == nullptr) {
            return false;
        }
        controls_[Index(plan.item)] = control;
    }
    // The bar's canvas sits between the message and the skip hint.
    if (!canvas_.Create(hwnd(), IDC_PICPB)) {
        return false;
    }
    controls_[Index(PanelItem::picPB)] = canvas_.hwnd();
    SetWindowPos(canvas_.hwnd(), Control(PanelItem::lblWarning), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void MicropausePanel::MakeFontsAndLogo() {
    LOGFONTW font = MessageFontAt(dpi_);
    textFont_.reset(CreateFontIndirectW(&font));
    font.lfHeight = FontHeightAt(kWarningPoints, dpi_);
    font.lfWeight = FW_BOLD;
    warningFont_.reset(CreateFontIndirectW(&font));
    for (const ControlPlan& plan : kControls) {
        const HFONT f = plan.item == PanelItem::lblWarning ? warningFont_.get() : textFont_.get();
        SendMessageW(Control(plan.item), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    }

    const int logoSize = ScaleToDpi(kLogoSize96, static_cast<int>(dpi_));
    logo_.reset(static_cast<HICON>(
        LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO), IMAGE_ICON, logoSize, logoSize, 0)));
    SendMessageW(Control(PanelItem::picTevrin), STM_SETICON, reinterpret_cast<WPARAM>(logo_.get()),
                 0);
}

void MicropausePanel::SetCaption(PanelItem item, const std::string& text) {
    SetWindowTextTo(Control(item), text);
    LayOut();
}

void MicropausePanel::SetVisible(PanelItem item, bool visible) {
    ShowWindow(Control(item), visible ? SW_SHOWNA : SW_HIDE);
}

void MicropausePanel::SetDpi(UINT dpi) {
    dpi_ = dpi;
    MakeFontsAndLogo();
    LayOut();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MicropausePanel::LayOut() {
    const int dpi = static_cast<int>(dpi_);
    GdiPanelMeasure measure(hwnd(), controls_);
    const PanelLayout next = LayOutMicropausePanel(measure, ScaleToDpi(kLogoSize96, dpi), dpi);
    for (std::size_t i = 0; i < kPanelItems; ++i) {
        const PanelBox& box = next.boxes[i];
        SetWindowPos(controls_[i], nullptr, box.x, box.y, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const bool resized = next.width != layout_.width || next.height != layout_.height;
    layout_ = next;
    if (resized) {
        SetWindowPos(hwnd(), nullptr, 0, 0, layout_.width, layout_.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Raise(events_.resized);
    }
}

LRESULT MicropausePanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, kTextColor);
            SetBkColor(dc, kPanelColor);
            return reinterpret_cast<LRESULT>(background_.get());
        }
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            const int code = HIWORD(wp);
            const std::function<void()>* event = nullptr;
            if (id == IDOK && code == BN_CLICKED) {
                event = &events_.okClicked;
            } else if (id == IDC_LBLESC && code == STN_DBLCLK) {
                event = &events_.escapeHintDoubleClicked;
            } else if (id == IDC_LBLVOLUNTARY && code == STN_DBLCLK) {
                event = &events_.voluntaryDoubleClicked;
            }
            if (event != nullptr && *event) {
                (*event)();
            }
            return 0;
        }
        default:
            return Default(msg, wp, lp);
    }
}

}  // namespace rilto
