#include "exercise/frm_chk_exercise_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "common/dpi_win.h"
#include "common/raise.h"
#include "common/text.h"
#include "common/window_win.h"
#include "exercise/exercise_break.h"
#include "exercise/frm_chk_exercise_ids.h"

namespace rilto {

namespace {

constexpr wchar_t kClassName[] = L"" RILTO_REMINDER_CLASS;
constexpr std::array<const wchar_t*, 8> kMinuteChoices{L"3",  L"5",  L"10", L"15",
                                                       L"20", L"30", L"45", L"60"};
// Between the reminder and the work area's corner, at 96 DPI.
constexpr int kTrayMargin96 = 12;

}  // namespace

FrmChkExercise::FrmChkExercise() : Dialog(IDD_CHK_EXERCISE, DialogFont::Message) {}

bool FrmChkExercise::Create(FrmChkExerciseEvents events) {
    events_ = std::move(events);
    return RegisterDialogClass(kClassName) && CreateModeless(nullptr);
}

void FrmChkExercise::OnInitDialog() {
    for (const wchar_t* choice : kMinuteChoices) {
        SendMessageW(Item(IDC_CHK_MINUTES), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    SendMessageW(Item(IDC_CHK_UPDOWN), UDM_SETRANGE32, 0, kMaxPostponeMinutes);
}

void FrmChkExercise::Show(const std::string& minutes) {
    SetWindowTextTo(Item(IDC_CHK_MINUTES), minutes);
    PlaceNearTray();
    // Shown in front of everything, but the focus stays where the user is typing.
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmChkExercise::Close() {
    ShowWindow(hwnd(), SW_HIDE);
}

void FrmChkExercise::EnableLater(bool enabled) {
    EnableWindow(Item(IDC_CHK_LATER), enabled ? TRUE : FALSE);
}

void FrmChkExercise::PlaceNearTray() {
    // The primary monitor's work area: the tray is on its task bar.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd(), nullptr, work.left, work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const UINT dpi = DpiOfWindow(hwnd());
    LayOut(dpi, Sizing::Template);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const int margin = ScaledToDpi(kTrayMargin96, dpi);
    SetWindowPos(hwnd(), nullptr, work.right - (frame.right - frame.left) - margin,
                 work.bottom - (frame.bottom - frame.top) - margin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FrmChkExercise::MinutesText() const {
    return WindowText(Item(IDC_CHK_MINUTES));
}

void FrmChkExercise::StepMinutes(int delta) {
    const auto current = ParseDecimal(MinutesText());
    const std::int64_t from = current ? *current : kDefaultPostponeMinutes;
    const std::int64_t next = std::clamp<std::int64_t>(from + delta, 0, kMaxPostponeMinutes);
    SetWindowTextTo(Item(IDC_CHK_MINUTES), std::to_string(next));
}

INT_PTR FrmChkExercise::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // no focus: the reminder never takes it by itself
        case WM_COMMAND:
            return OnCommand(LOWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (header->idFrom == IDC_CHK_UPDOWN && header->code == UDN_DELTAPOS) {
                StepMinutes(reinterpret_cast<const NMUPDOWN*>(lp)->iDelta);
                return Answer(1);  // the box holds the number, not the spin buttons
            }
            return FALSE;
        }
        case WM_CLOSE:
            Close();
            Raise(events_.closed);
            return TRUE;
        default:
            return FALSE;
    }
}

bool FrmChkExercise::OnCommand(int id) {
    switch (id) {
        case IDOK:
        case IDC_CHK_OK:
            Raise(events_.exerciseNow);
            return true;
        case IDC_CHK_LATER:
            Raise(events_.later, MinutesText());
            return true;
        case IDCANCEL:
            SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
    }
}

}  // namespace rilto
