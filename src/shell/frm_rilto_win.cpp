#include "shell/frm_rilto_win.h"

#include "shell/resource.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kMainClass[] = L"" RILTO_MAIN_CLASS;
// The panel: light text on black, the warning in a large type.
constexpr COLORREF kPanelColor = RGB(0, 0, 0);
constexpr COLORREF kTextColor = RGB(235, 235, 235);
constexpr int kWarningPoints = 16;
constexpr wchar_t kProgressClass[] = L"" RILTO_PROGRESS_CLASS;

FrmRilto* FormOf(HWND hwnd) {
    return reinterpret_cast<FrmRilto*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

FrmRilto::FrmRilto(HINSTANCE instance, FrmRiltoEvents& events)
    : instance_(instance), events_(events) {}

FrmRilto::~FrmRilto() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void FrmRilto::RegisterClasses() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);

    // The form itself: a dialog with a class of its own.
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMainClass;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_RILTO));
    RegisterClassExW(&wc);

    wc.cbWndExtra = 0;
    wc.hIcon = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpfnWndProc = HookProc;
    wc.lpszClassName = kHookWindowClass;
    RegisterClassExW(&wc);

    // The bar redraws its columns ten times a second, each fill with GetDC: a DC of
    // its own makes that a lookup instead of a new device context every time.
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = ProgressProc;
    wc.lpszClassName = kProgressClass;
    RegisterClassExW(&wc);
}

bool FrmRilto::Create() {
    RegisterClasses();
    hwnd_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_FRMRILTO), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (hwnd_ == nullptr) {
        return false;
    }
    SetWindowTextW(hwnd_, L"Rilto Micropause");
    pichook_ = GetDlgItem(hwnd_, IDC_PICHOOK);
    SetWindowLongPtrW(pichook_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    picBlack_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_PICBLACK), hwnd_, PanelProc,
                                   reinterpret_cast<LPARAM>(this));
    // The panel template replaces the placeholder of the same identifier.
    DestroyWindow(GetDlgItem(hwnd_, IDC_PICBLACK));
    SetWindowLongPtrW(picBlack_, GWLP_ID, IDC_PICBLACK);
    SetWindowLongPtrW(Control(IDC_PICPB), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    panelBrush_.reset(CreateSolidBrush(kPanelColor));
    CreateFonts();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    FormResize();
    return true;
}

void FrmRilto::CreateFonts() {
    LOGFONTW font{};
    const HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof font, &font) == 0) {
        return;
    }
    const WindowDc dc(hwnd_);
    font.lfHeight = -MulDiv(kWarningPoints, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    font.lfWeight = FW_BOLD;
    warningFont_.reset(CreateFontIndirectW(&font));
    SendMessageW(Control(IDC_LBLWARNING), WM_SETFONT, reinterpret_cast<WPARAM>(warningFont_.get()),
                 TRUE);
}

HWND FrmRilto::Control(int id) const {
    HWND c = GetDlgItem(hwnd_, id);
    return c != nullptr ? c : GetDlgItem(picBlack_, id);
}

void FrmRilto::SetCaption(int id, const std::string& text) {
    SetWindowTextW(Control(id), Widen(text).c_str());
}

void FrmRilto::SetProgressPainter(std::function<void(HWND, HDC)> painter) {
    progressPainter_ = std::move(painter);
}

bool FrmRilto::PreTranslateMessage(MSG* msg) {
    return hwnd_ != nullptr && IsDialogMessageW(hwnd_, msg);
}

void FrmRilto::FormResize() {
    if (IsIconic(hwnd_)) {
        ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    RECT client;
    RECT panel;
    GetClientRect(hwnd_, &client);
    GetWindowRect(picBlack_, &panel);
    const int width = panel.right - panel.left;
    const int height = panel.bottom - panel.top;
    SetWindowPos(picBlack_, nullptr, (client.right - width) / 2, (client.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK FrmRilto::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, lp);
        return TRUE;
    }
    FrmRilto* self = FormOf(hwnd);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self != nullptr) {
            self->hwnd_ = nullptr;
        }
        return FALSE;
    }
    return self != nullptr ? self->HandleMessage(msg, wp, lp) : FALSE;
}

INT_PTR FrmRilto::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_CTLCOLORDLG:
            // Black around the panel: a blanked screen.
            return HandlePanelColor(reinterpret_cast<HDC>(wp));
        case WM_COMMAND:
            events_.OnCommand(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_TIMER:
            events_.OnTimer(wp);
            return TRUE;
        case WM_SIZE:
            FormResize();
            return TRUE;
        case WM_CLOSE:
            // Closing the window only hides it; the program lives in the tray.
            ShowWindow(hwnd_, SW_HIDE);
            return TRUE;
        case WM_ENDSESSION:
            if (wp) {
                events_.OnEndSession();
            }
            return TRUE;
        default:
            if (msg == taskbarCreated_ && msg != 0) {
                events_.OnBroadcast(msg);
                return TRUE;
            }
            return FALSE;
    }
}

INT_PTR FrmRilto::HandlePanelColor(HDC dc) {
    SetTextColor(dc, kTextColor);
    SetBkColor(dc, kPanelColor);
    return reinterpret_cast<INT_PTR>(panelBrush_.get());
}

INT_PTR CALLBACK FrmRilto::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC: {
            FrmRilto* self = FormOf(hwnd);
            return self != nullptr ? self->HandlePanelColor(reinterpret_cast<HDC>(wp)) : FALSE;
        }
        case WM_INITDIALOG:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, lp);
            return TRUE;
        case WM_COMMAND: {
            // Buttons and labels of the panel report to the form.
            FrmRilto* self = FormOf(hwnd);
            if (self != nullptr) {
                self->events_.OnCommand(LOWORD(wp), HIWORD(wp));
            }
            return TRUE;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

LRESULT CALLBACK FrmRilto::HookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FrmRilto* self = FormOf(hwnd);
    if (self != nullptr) {
        switch (msg) {
            case WM_KEYDOWN:
                self->events_.OnHookKey(static_cast<unsigned>(wp));
                return 0;
            case WM_MOUSEMOVE:
                // The tray icon reports here; lParam is the mouse message over the icon.
                self->events_.OnTrayNotify(static_cast<unsigned>(lp));
                return 0;
            case WM_NCDESTROY:
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                break;
            default:
                break;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK FrmRilto::ProgressProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FrmRilto* self = FormOf(hwnd);
        if (self != nullptr && self->progressPainter_) {
            self->progressPainter_(hwnd, dc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

namespace {

int LabelId(ViewLabel label) {
    switch (label) {
        case ViewLabel::lblExercise:
            return IDC_LBLEXERCISE;
        case ViewLabel::lblvoluntary:
            return IDC_LBLVOLUNTARY;
        case ViewLabel::lblrilto:
            return IDC_LBLRILTO;
        case ViewLabel::lblESC:
            return IDC_LBLESC;
    }
    return 0;
}

int ControlId(ViewControl control) {
    switch (control) {
        case ViewControl::cmdOK:
            return IDOK;
        case ViewControl::picPB:
            return IDC_PICPB;
        case ViewControl::lblESC:
            return IDC_LBLESC;
        case ViewControl::picBlack:
            return IDC_PICBLACK;
    }
    return 0;
}

}  // namespace

void FrmRilto::SetCaption(ViewLabel label, const std::string& text) {
    SetCaption(LabelId(label), text);
}

void FrmRilto::SetVisible(ViewControl control, bool visible) {
    ShowWindow(Control(ControlId(control)), visible ? SW_SHOWNA : SW_HIDE);
}

void FrmRilto::SetWindowState(WindowState state) {
    state_ = state;
    // Maximised means covering the whole monitor the form is on; done by hand, so it
    // works the same with or without a window manager, and while the form is hidden.
    RECT place = normalPlace_;
    if (state == WindowState::Maximised) {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &mi);
        place = mi.rcMonitor;
    }
    SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FormResize();
}

void FrmRilto::Repaint() {
    UpdateWindow(hwnd_);
    UpdateWindow(picBlack_);
}

void FrmRilto::ShowForm() {
    ShowWindow(hwnd_, SW_SHOW);
    // The screen takes the keyboard, so that ESC reaches it.
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

void FrmRilto::HideForm() {
    ShowWindow(hwnd_, SW_HIDE);
}

void FrmRilto::MakeTopmost() {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void FrmRilto::SendToBottom() {
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace rilto
