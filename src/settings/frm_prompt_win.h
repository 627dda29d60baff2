#pragma once
// frmAdd ("Add Exercise") and frmSaveAs ("Save Scheme As"): modal dialogs centred over
// the settings dialog that ask for one line of text, a new exercise's title or a
// scheme's name.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/dialog_win.h"

namespace rilto {

class FrmPrompt : public Dialog {
  public:
    // Whether the dialog may close with the text typed.
    using Accept = std::function<bool(const std::string&)>;

    // frmAdd: the title typed, also when empty; nothing when cancelled.
    static std::optional<std::string> AskExerciseTitle(HWND owner);
    // frmSaveAs: each OK hands `accept` the name typed; the dialog stays open until it
    // agrees or the user cancels.
    static void AskSchemeName(HWND owner, const Accept& accept);

  private:
    FrmPrompt(int templateId, int textId, int maxLength, const Accept& accept)
        : Dialog(templateId), textId_(textId), maxLength_(maxLength), accept_(accept) {}

    std::optional<std::string> Run(HWND owner);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOk();

    int textId_;
    int maxLength_;
    const Accept& accept_;
    std::optional<std::string> result_;
};

}  // namespace rilto
