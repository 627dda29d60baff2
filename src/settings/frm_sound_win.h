#pragma once
// frmSound, "Sound warning": a modal dialog over the settings dialog that picks what
// one warning plays, the standard beeps or a wave file found with "Sound...". A file
// picked there plays at once, so that the user hears it.

#include <windows.h>

#include <utility>

#include "common/dialog_win.h"
#include "common/settings.h"
#include "engine/warning_sounds.h"
#include "settings/sound_choice.h"

namespace rilto {

class FrmSound : public Dialog {
  public:
    // Shows the dialog for `target` (a SoundTarget) and waits for it. OK puts the choice
    // in the setting, an empty text for the beeps; the store is written later, when the
    // settings are applied. True when OK was pressed.
    static bool Choose(HWND owner, SettingsWriter& settings, int target, WarningSounds& sounds);

  private:
    FrmSound(SoundChoice choice, WarningSounds& sounds);

    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnInitDialog();
    void OnCommand(int id, int code);
    // The file dialog; a file picked there plays and becomes the choice.
    void Browse();
    // The option buttons and the sound card caption from the choice.
    void ShowChoice();

    SoundChoice choice_;
    WarningSounds& sounds_;
};

}  // namespace rilto
