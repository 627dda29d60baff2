#pragma once
// The settings dialog's window replaced by a view that records what it is asked to show,
// and answers its questions as a test sets.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/virtual_clock.h"
#include "settings/settings_dialog.h"

namespace rilto::fakes {

struct FakeSettingsView : SettingsDialogView {
    explicit FakeSettingsView(VirtualClock& clock) : clock_(clock) {}
    void Fill(const SettingsForm& f) override { form = f; }
    SettingsForm Read() const override { return form; }
    void SetSchemeBoxes(const SchemeBox& b) override { box = b; }
    void SetRows(const std::vector<ExerciseRow>& r) override { rows = r; }
    std::vector<ExerciseRow> Rows() const override { return rows; }
    void ShowDialog() override {
        shown = true;
        micropauseOnShow = micropauseRunning && micropauseRunning();
    }
    void Hide() override { shown = false; }
    // The program's timers go on while it waits.
    void WaitWhile(const std::function<bool()>& busy) override {
        ++waits;
        for (int i = 0; i < 1000 && busy(); ++i) {
            clock_.Advance(100);
        }
    }
    void Pause(std::uint32_t ms) override { paused += ms; }
    int SelectedRow() const override { return selected; }
    void SelectRow(int k, bool) override { selected = k; }
    void FocusList() override {}
    std::string SchemeShown() const override {
        return box.names.empty() ? "" : box.names[static_cast<std::size_t>(box.selected)];
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        messages.push_back(text);
        if (whileAsking) {
            whileAsking();
        }
        return yes;
    }
    std::optional<std::string> PickExerciseFile() override { return file; }
    std::optional<std::string> AskExerciseTitle() override { return title; }
    // Each typed name is offered in turn until the dialog would close.
    void AskSchemeName(const std::function<bool(const std::string&)>& accept) override {
        for (const std::string& name : typed) {
            ++offered;
            if (accept(name)) {
                return;
            }
        }
    }
    void ShowPreview(const std::string& f) override { preview = f; }
    void ClosePreview() override { preview.clear(); }

    SettingsForm form;
    SchemeBox box;
    std::vector<ExerciseRow> rows;
    bool shown = false;
    bool micropauseOnShow = false;
    int waits = 0;
    std::uint32_t paused = 0;
    int selected = 0;
    std::vector<std::string> messages;
    bool yes = true;
    // What the rest of the program does while a question is open.
    std::function<void()> whileAsking;
    std::optional<std::string> file;
    std::optional<std::string> title;
    std::vector<std::string> typed;
    int offered = 0;
    std::string preview;

    // Whether a micropause runs, as the dialog sees it when it shows.
    std::function<bool()> micropauseRunning;

  private:
    VirtualClock& clock_;
};

}  // namespace rilto::fakes
