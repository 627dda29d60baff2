#include "settings/frm_sound_win.h"

#include <algorithm>
#include <exception>
#include <string>
#include <optional>

#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_sound_ids.h"
#include "settings/open_file_dialog_win.h"

namespace rilto {

namespace {

constexpr OpenFileRequest kBrowse{"Select warning sound", "Audio (*.wav)|*.wav|All files|*.*|",
                                  "wav"};

// The hourglass while the file starts to play.
class BusyCursor {
  public:
    BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { SetCursor(old_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    HCURSOR old_;
};

// Centred on the primary monitor's work area, where the tray is.
void CentreOnWorkArea(HWND dialog) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
                 std::max(work.top, work.top + (work.bottom - work.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool FrmSound::Choose(HWND owner, Settings& settings, int target, WarningSounds& sounds) {
    std::string* setting = SoundSetting(settings, target);
    if (setting == nullptr) {
        Trace("no warning sound " + std::to_string(target));
        return false;
    }
    FrmSound form(SoundChoice(*setting), sounds);
    const INT_PTR result = DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(IDD_SOUND), owner,
                                           &DialogProc, reinterpret_cast<LPARAM>(&form));
    if (result == -1) {
        TraceLastError("cannot show the warning sound dialog");
        return false;
    }
    if (result != IDOK) {
        return false;
    }
    *setting = form.choice_.Result();
    return true;
}

INT_PTR CALLBACK FrmSound::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FrmSound* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<FrmSound*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->dialog_ = hwnd;
    } else {
        self = reinterpret_cast<FrmSound*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    try {
        return self->HandleMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        Trace(std::string("a warning sound dialog message failed: ") + e.what());
    } catch (...) {
        Trace("a warning sound dialog message failed");
    }
    return FALSE;
}

INT_PTR FrmSound::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(dialog_, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

void FrmSound::OnInitDialog() {
    ShowChoice();
    CentreOnWorkArea(dialog_);
    // On the option in force, as the dialog manager would put it on entering the group.
    const int focus = choice_.FileChosen() ? IDC_OPTTYPE1 : IDC_OPTTYPE0;
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, focus)),
                 TRUE);
}

void FrmSound::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog_, id);
            return;
        case IDC_CMDSOUND:
            if (code == BN_CLICKED) {
                Browse();
            }
            return;
        case IDC_OPTTYPE0:
            if (code == BN_CLICKED && IsDlgButtonChecked(dialog_, IDC_OPTTYPE0) == BST_CHECKED) {
                choice_.ChooseBeeps();
                ShowChoice();
            }
            return;
        case IDC_OPTTYPE1:
            if (code == BN_CLICKED && IsDlgButtonChecked(dialog_, IDC_OPTTYPE1) == BST_CHECKED) {
                choice_.ChooseFile();
                // With no file known yet, the user is asked for one.
                if (!choice_.FileChosen()) {
                    Browse();
                }
                ShowChoice();
            }
            return;
        default:
            return;
    }
}

void FrmSound::Browse() {
    const std::optional<std::string> picked = AskForFile(dialog_, kBrowse);
    if (!picked) {
        return;
    }
    const std::string& file = *picked;
    {
        const BusyCursor busy;
        sounds_.PlaySoundNoWait(file);
    }
    choice_.Browsed(file);
    ShowChoice();
}

void FrmSound::ShowChoice() {
    CheckRadioButton(dialog_, IDC_OPTTYPE0, IDC_OPTTYPE1,
                     choice_.FileChosen() ? IDC_OPTTYPE1 : IDC_OPTTYPE0);
    SetDlgItemTextW(dialog_, IDC_OPTTYPE1, Widen(choice_.FileCaption()).c_str());
}

}  // namespace rilto
