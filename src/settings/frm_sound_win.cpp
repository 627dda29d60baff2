#include "settings/frm_sound_win.h"

#include <string>
#include <optional>

#include "common/dpi_win.h"
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

FrmSound::FrmSound(SoundChoice choice, WarningSounds& sounds)
    : Dialog(IDD_SOUND), choice_(std::move(choice)), sounds_(sounds) {}

bool FrmSound::Choose(HWND owner, SettingsWriter& settings, int target, WarningSounds& sounds) {
    const std::string* setting = SoundSetting(settings.Current(), target);
    if (setting == nullptr) {
        Trace("no warning sound " + std::to_string(target));
        return false;
    }
    FrmSound form(SoundChoice(*setting), sounds);
    if (form.RunModal(owner) != IDOK) {
        return false;
    }
    return settings.SetSound(target, form.choice_.Result());
}

INT_PTR FrmSound::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is set
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return TRUE;
        default:
            return FALSE;
    }
}

void FrmSound::OnInitDialog() {
    ShowChoice();
    // A move to a monitor of another DPI lays it out again.
    LayOut(DpiOfWindow(hwnd()), Sizing::Template);
    PlaceOnWorkArea(hwnd(), 2);
    // On the option in force, as the dialog manager would put it on entering the group.
    Focus(Item(choice_.FileChosen() ? IDC_OPTTYPE1 : IDC_OPTTYPE0));
}

void FrmSound::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            End(id);
            return;
        case IDC_CMDSOUND:
            if (code == BN_CLICKED) {
                Browse();
            }
            return;
        case IDC_OPTTYPE0:
            if (code == BN_CLICKED && IsDlgButtonChecked(hwnd(), IDC_OPTTYPE0) == BST_CHECKED) {
                choice_.ChooseBeeps();
                ShowChoice();
            }
            return;
        case IDC_OPTTYPE1:
            if (code == BN_CLICKED && IsDlgButtonChecked(hwnd(), IDC_OPTTYPE1) == BST_CHECKED) {
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
    const std::optional<std::string> picked = AskForFile(hwnd(), kBrowse);
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
    CheckRadioButton(hwnd(), IDC_OPTTYPE0, IDC_OPTTYPE1,
                     choice_.FileChosen() ? IDC_OPTTYPE1 : IDC_OPTTYPE0);
    SetWindowTextTo(Item(IDC_OPTTYPE1), choice_.FileCaption());
}

}  // namespace rilto
