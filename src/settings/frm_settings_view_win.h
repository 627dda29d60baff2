#pragma once
// The settings dialog as its controller sees it: frmSettings, the scheme editor's small
// dialogs, the file dialog and the message boxes over it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "settings/frm_settings_win.h"
#include "settings/settings_dialog.h"

namespace rilto {

class FrmSettingsView : public SettingsDialogView {
  public:
    // `waitWhile` runs the program's messages until its test says no.
    using WaitLoop = std::function<void(const std::function<bool()>&)>;

    FrmSettingsView(FrmSettings& form, const Settings& settings, std::string programFolder,
                    WaitLoop waitWhile);

    void Fill(const SettingsForm& form) override { form_.Fill(form); }
    SettingsForm Read() const override { return form_.Read(); }
    void SetSchemeBoxes(const SchemeBox& box) override { form_.SetSchemeBoxes(box); }
    void SetRows(const std::vector<ExerciseRow>& rows) override { form_.SetRows(rows); }
    std::vector<ExerciseRow> Rows() const override { return form_.Rows(); }
    bool HasRows() const override { return form_.HasRows(); }
    int SelectedRow() const override { return form_.SelectedRowNumber(); }
    void SelectRow(int k, bool focus) override { form_.SelectRow(k, focus); }
    void FocusList() override { form_.FocusList(); }
    std::string SchemeShown() const override { return form_.SchemeShown(); }
    void ShowDialog() override { form_.ShowDialog(); }
    void Hide() override { form_.Hide(); }
    void WaitWhile(const std::function<bool()>& busy) override { waitWhile_(busy); }
    void Pause(std::uint32_t ms) override;

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> PickExerciseFile() override;
    std::optional<std::string> AskExerciseTitle() override;
    void AskSchemeName(const std::function<bool(const std::string&)>& accept) override;
    void ShowPreview(const std::string& file) override;
    void ClosePreview() override { form_.ClosePreview(); }

  private:
    // What a message box belongs to: the dialog in front of the program, or the
    // settings dialog.
    HWND Owner() const;

    FrmSettings& form_;
    const Settings& settings_;
    std::string programFolder_;
    WaitLoop waitWhile_;
};

}  // namespace rilto
