#include "settings/frm_sound_win.h"

#include <string>
#include <optional>

#include "common/dialog_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_sound_ids.h"
#include "settings/open_file_dialog_win.h"

namespace rilto {

namespace {

constexpr OpenFileRequest kBrowse{"Select warning sound", "Audio (*.wav)|*.wav|All files|*.*|",
                                  "wav"};

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
    FrmSound* self = DialogObject<FrmSound>(hwnd, msg, lp);
    if (self == nullptr) {
        return FALSE;
    }
    if (msg == WM_INITDIALOG) {
        self->dialog_ = hwnd;
    }
    return GuardedDialogMessage("a warning sound dialog message",
                                [&] { return self->HandleMessage(msg, wp, lp); });
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
    PlaceOnWorkArea(dialog_, 2);
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
