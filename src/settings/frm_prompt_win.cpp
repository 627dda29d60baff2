#include "settings/frm_prompt_win.h"

#include <algorithm>

#include "common/dpi_win.h"
#include "common/window_win.h"
#include "settings/frm_prompt_ids.h"

namespace rilto {

namespace {

// A scheme's name becomes part of the name of its registry key, which Windows keeps to
// 255 characters.
constexpr int kSchemeNameLength = 200;

// Centred over the owner, and kept on the owner's monitor.
void CentreOver(HWND dialog, HWND owner) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    RECT over{};
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &over) ||
        !GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
        monitor.rcWork = over;
    }
    const RECT& work = monitor.rcWork;
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = std::clamp((over.left + over.right - width) / 2, work.left,
                                 std::max(work.left, work.right - width));
    const LONG top = std::clamp((over.top + over.bottom - height) / 2, work.top,
                                std::max(work.top, work.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::optional<std::string> FrmPrompt::AskExerciseTitle(HWND owner) {
    const Accept any = [](const std::string&) { return true; };
    return FrmPrompt(IDD_ADD, IDC_TXTDISPLAYNAME, 0, any).Run(owner);
}

void FrmPrompt::AskSchemeName(HWND owner, const Accept& accept) {
    FrmPrompt(IDD_SAVEAS, IDC_TXTSCHEME, kSchemeNameLength, accept).Run(owner);
}

std::optional<std::string> FrmPrompt::Run(HWND owner) {
    return RunModal(owner) == IDOK ? result_ : std::nullopt;
}

INT_PTR FrmPrompt::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: {
            if (maxLength_ > 0) {
                SendMessageW(Item(textId_), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
            }
            const HWND owner = GetWindow(hwnd(), GW_OWNER);
            // Laid out for the DPI of the monitor it opens on.
            LayOut(DpiOfWindow(owner != nullptr ? owner : hwnd()), Sizing::Template);
            CentreOver(hwnd(), owner);
            return TRUE;  // the focus goes to the text box, the first control
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                OnOk();
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                End(IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void FrmPrompt::OnOk() {
    const std::string text = WindowText(Item(textId_));
    if (accept_(text)) {
        result_ = text;
        End(IDOK);
    } else {
        // Open still: the text box again, for another try.
        Focus(Item(textId_));
    }
}

}  // namespace rilto
