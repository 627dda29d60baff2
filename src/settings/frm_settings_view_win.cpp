#include "settings/frm_settings_view_win.h"

#include <utility>

#include "common/product.h"
#include "common/wide_text_win.h"
#include "settings/frm_prompt_win.h"
#include "settings/open_file_dialog_win.h"
#include "settings/settings_texts.h"

namespace rilto {

FrmSettingsView::FrmSettingsView(FrmSettings& form, const Settings& settings,
                                 std::string programFolder, WaitLoop waitWhile)
    : form_(form),
      settings_(settings),
      programFolder_(std::move(programFolder)),
      waitWhile_(std::move(waitWhile)) {}

void FrmSettingsView::Pause(std::uint32_t ms) {
    Sleep(ms);
}

HWND FrmSettingsView::Owner() const {
    // frmSaveAs asks whether to replace a scheme over itself.
    const HWND active = GetActiveWindow();
    return active != nullptr && IsWindowVisible(active) ? active : form_.hwnd();
}

void FrmSettingsView::ShowMessage(const std::string& text) {
    MessageBoxW(Owner(), Widen(text).c_str(), Widen(kProductTitle).c_str(), MB_OK);
}

bool FrmSettingsView::AskYesNo(const std::string& text) {
    return MessageBoxW(Owner(), Widen(text).c_str(), Widen(kProductTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> FrmSettingsView::PickExerciseFile() {
    return AskForFile(form_.hwnd(), OpenFileRequest{kAddExerciseTitle, kAddExerciseFilter,
                                                    kAddExerciseExtension});
}

std::optional<std::string> FrmSettingsView::AskExerciseTitle() {
    return FrmPrompt::AskExerciseTitle(form_.hwnd());
}

void FrmSettingsView::AskSchemeName(const std::function<bool(const std::string&)>& accept) {
    FrmPrompt::AskSchemeName(form_.hwnd(), accept);
}

void FrmSettingsView::ShowPreview(const std::string& file) {
    form_.ShowPreview(file, settings_.ViewAm, programFolder_);
}

}  // namespace rilto
