#include "exercise/frm_chk_exercise_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "common/dpi_win.h"
#include "common/texts.h"
#include "common/text.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "exercise/exercise_break.h"
#include "exercise/frm_chk_exercise_ids.h"

namespace rilto {

namespace {

constexpr wchar_t kClassName[] = L"RiltoExerciseReminder";
constexpr std::array<const wchar_t*, 8> kMinuteChoices{L"3",  L"5",  L"10", L"15",
                                                       L"20", L"30", L"45", L"60"};

// A control and its place in dialog units (a quarter of the average character width,
// an eighth of the character height), in tab order.
struct ControlPlan {
    int id;
    const wchar_t* windowClass;
    const char* text;
    DWORD style;
    RECT du;  // left, top, width, height
};

const ControlPlan kControls[] = {
    {IDC_CHK_OK, WC_BUTTONW, kReminderExerciseNow, BS_DEFPUSHBUTTON | WS_TABSTOP, {7, 20, 86, 18}},
    {IDC_CHK_FRAME, WC_BUTTONW, kReminderFrame, BS_GROUPBOX, {101, 4, 100, 56}},
    {IDC_CHK_FOR, WC_STATICW, kReminderFor, SS_LEFT, {108, 19, 14, 9}},
    {IDC_CHK_MINUTES, WC_COMBOBOXW, "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, {123, 17, 34, 90}},
    {IDC_CHK_UPDOWN, UPDOWN_CLASSW, "", UDS_ARROWKEYS, {157, 17, 10, 13}},
    {IDC_CHK_MINUTES_LABEL, WC_STATICW, kReminderMinutes, SS_LEFT, {170, 19, 28, 9}},
    {IDC_CHK_LATER, WC_BUTTONW, kReminderLater, BS_PUSHBUTTON | WS_TABSTOP, {108, 37, 86, 16}},
};
constexpr SIZE kClientDu{208, 66};

}  // namespace

bool FrmChkExercise::Create(FrmChkExerciseEvents events) {
    events_ = std::move(events);
    if (!RegisterWindowClass(WindowClass{kClassName, 0, GetSysColorBrush(COLOR_BTNFACE)})) {
        return false;
    }
    const std::wstring caption = Widen(kReminderCaption);
    if (!CreateWindowOf(kClassName, WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU, RECT{0, 0, 300, 120}, nullptr, 0)) {
        return false;
    }
    SetWindowTextW(hwnd(), caption.c_str());
    return CreateControls();
}

bool FrmChkExercise::CreateControls() {
    for (const ControlPlan& plan : kControls) {
        const std::wstring text = Widen(plan.text);
        const HWND control = CreateWindowExW(
            0, plan.windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | plan.style, 0, 0, 10, 10,
            hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.id)), ThisModule(), nullptr);
        if (control == nullptr) {
            TraceLastError("reminder control");
            return false;
        }
    }
    for (const wchar_t* choice : kMinuteChoices) {
        SendMessageW(Control(IDC_CHK_MINUTES), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    SendMessageW(Control(IDC_CHK_UPDOWN), UDM_SETRANGE32, 0, kMaxPostponeMinutes);
    return true;
}

bool FrmChkExercise::TranslateDialogMessage(MSG* msg) {
    return hwnd() != nullptr && IsWindowVisible(hwnd()) && IsDialogMessageW(hwnd(), msg);
}

void FrmChkExercise::Show(const std::string& minutes) {
    const std::wstring text = Widen(minutes);
    SetWindowTextW(Control(IDC_CHK_MINUTES), text.c_str());
    PlaceNearTray();
    // Shown in front of everything, but the focus stays where the user is typing.
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmChkExercise::Close() {
    ShowWindow(hwnd(), SW_HIDE);
}

void FrmChkExercise::PlaceNearTray() {
    // The primary monitor's work area: the tray is on its task bar.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd(), nullptr, work.left, work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const int margin = ScaledToDpi(12, dpi_);
    SetWindowPos(hwnd(), nullptr, work.right - (frame.right - frame.left) - margin,
                 work.bottom - (frame.bottom - frame.top) - margin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmChkExercise::LayOut() {
    dpi_ = DpiOfWindow(hwnd());
    LOGFONTW font = MessageFontAt(dpi_);
    font_.reset(CreateFontIndirectW(&font));

    // Dialog units from the font, as a dialog of this font would have them.
    TEXTMETRICW tm{};
    SIZE abc{};
    {
        const WindowDc dc(hwnd());
        const SelectedObject selected(dc.get(), font_.get());
        GetTextMetricsW(dc.get(), &tm);
        constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &abc);
    }
    const int baseX = std::max<int>(1, (abc.cx / 26 + 1) / 2);
    const int baseY = std::max<int>(1, tm.tmHeight);
    const auto x = [&](int du) { return MulDiv(du, baseX, 4); };
    const auto y = [&](int du) { return MulDiv(du, baseY, 8); };

    for (const ControlPlan& plan : kControls) {
        const HWND control = Control(plan.id);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        MoveWindow(control, x(plan.du.left), y(plan.du.top), x(plan.du.right), y(plan.du.bottom),
                   TRUE);
    }
    RECT frame{0, 0, x(kClientDu.cx), y(kClientDu.cy)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FrmChkExercise::MinutesText() const {
    return WindowText(Control(IDC_CHK_MINUTES));
}

void FrmChkExercise::StepMinutes(int delta) {
    const auto current = ParseDecimal(MinutesText());
    const std::int64_t from = current ? *current : kDefaultPostponeMinutes;
    const std::int64_t next = std::clamp<std::int64_t>(from + delta, 0, kMaxPostponeMinutes);
    const std::wstring text = std::to_wstring(next);
    SetWindowTextW(Control(IDC_CHK_MINUTES), text.c_str());
}

LRESULT FrmChkExercise::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDOK:
                case IDC_CHK_OK:
                    if (events_.exerciseNow) {
                        events_.exerciseNow();
                    }
                    return 0;
                case IDC_CHK_LATER:
                    if (events_.later) {
                        events_.later(MinutesText());
                    }
                    return 0;
                case IDCANCEL:
                    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->idFrom == IDC_CHK_UPDOWN && header->code == UDN_DELTAPOS) {
                StepMinutes(reinterpret_cast<const NMUPDOWN*>(lp)->iDelta);
                return 1;  // the box holds the number, not the spin buttons
            }
            break;
        }
        case WM_CLOSE:
            Close();
            if (events_.closed) {
                events_.closed();
            }
            return 0;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut();
            return 0;
        }
        default:
            break;
    }
    return Default(msg, wp, lp);
}

}  // namespace rilto
