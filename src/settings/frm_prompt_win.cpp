#include "settings/frm_prompt_win.h"

#include <algorithm>

#include "common/dialog_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
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
    return FrmPrompt(IDC_TXTDISPLAYNAME, 0, any).Run(owner, IDD_ADD);
}

void FrmPrompt::AskSchemeName(HWND owner, const Accept& accept) {
    FrmPrompt(IDC_TXTSCHEME, kSchemeNameLength, accept).Run(owner, IDD_SAVEAS);
}

std::optional<std::string> FrmPrompt::Run(HWND owner, int templateId) {
    const INT_PTR result = DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(templateId), owner,
                                           &DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1) {
        TraceLastError("cannot show a dialog of the scheme editor");
        return std::nullopt;
    }
    return result == IDOK ? result_ : std::nullopt;
}

INT_PTR CALLBACK FrmPrompt::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FrmPrompt* self = DialogObject<FrmPrompt>(hwnd, msg, lp);
    if (self == nullptr) {
        return FALSE;
    }
    if (msg == WM_INITDIALOG) {
        self->dialog_ = hwnd;
    }
    return GuardedDialogMessage("a scheme editor dialog message",
                                [&] { return self->HandleMessage(msg, wp); });
}

INT_PTR FrmPrompt::HandleMessage(UINT msg, WPARAM wp) {
    switch (msg) {
        case WM_INITDIALOG:
            if (maxLength_ > 0) {
                SendDlgItemMessageW(dialog_, textId_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_),
                                    0);
            }
            CentreOver(dialog_, GetWindow(dialog_, GW_OWNER));
            return TRUE;  // the focus goes to the text box, the first control
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                const std::string text = WindowText(GetDlgItem(dialog_, textId_));
                if (accept_(text)) {
                    result_ = text;
                    EndDialog(dialog_, IDOK);
                } else {
                    // Open still: the text box again, for another try.
                    SendMessageW(dialog_, WM_NEXTDLGCTL,
                                 reinterpret_cast<WPARAM>(GetDlgItem(dialog_, textId_)), TRUE);
                }
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dialog_, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(dialog_, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace rilto
