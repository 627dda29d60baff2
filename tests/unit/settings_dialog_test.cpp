// Opening the settings dialog, its commands, and a scheme picked on its pages, with the
// window replaced by a view that records what it is asked to show.

#include <gtest/gtest.h>

#include "fakes/exercise_rig.h"
#include "settings/settings_dialog.h"
#include "settings/settings_texts.h"

namespace rilto {
namespace {

struct FakeDialogView : SettingsDialogView {
    explicit FakeDialogView(fakes::ExerciseRig& rig) : rig_(rig) {}
    void Fill(const SettingsForm& f) override { form = f; }
    SettingsForm Read() const override { return form; }
    void SetSchemeBoxes(const SchemeBox& b) override { box = b; }
    void SetRows(const std::vector<ExerciseRow>& r) override { rows = r; }
    std::vector<ExerciseRow> Rows() const override { return rows; }
    void ShowDialog() override {
        shown = true;
        micropauseOnShow = rig_.state().MicropauseRunning;
    }
    void Hide() override { shown = false; }
    // The program's timers go on while it waits.
    void WaitWhile(const std::function<bool()>& busy) override {
        ++waits;
        for (int i = 0; i < 1000 && busy(); ++i) {
            rig_.clock.Advance(100);
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

  private:
    fakes::ExerciseRig& rig_;
};

struct DialogRig : fakes::ExerciseRig {
    DialogRig()
        : view(*this),
          dialog(SettingsDialogPorts{settings, store, scheduler, hook, flow, view,
                                     [this](const std::string& w) { warning = w; }, "C:\\Rilto"}) {}
    FakeDialogView view;
    SettingsDialog dialog;
    std::string warning;
};

TEST(SettingsDialogTest, OpeningDuringAMicropauseEndsItFirstUnlessItIsAlmostOver) {
    DialogRig rig;
    rig.settings.InterruptFor = 10;  // 100 steps of the bar
    rig.Start();
    rig.scheduler.RiltoMicropause();
    rig.AdvanceSeconds(1);
    ASSERT_TRUE(rig.state().MicropauseRunning);
    ASSERT_LT(rig.progressBar.Value(), 20);
    rig.dialog.LoadMeUp();
    EXPECT_EQ(rig.view.waits, 1);
    EXPECT_TRUE(rig.view.shown);
    EXPECT_FALSE(rig.view.micropauseOnShow);
    EXPECT_LE(rig.clock.Elapsed(), 1'500u);  // ended at its next step, not after 10 s

    rig.dialog.Cancel();
    rig.scheduler.RiltoMicropause();
    rig.progressBar.SetValue(97);
    rig.dialog.LoadMeUp();
    EXPECT_EQ(rig.view.waits, 1);
    EXPECT_TRUE(rig.view.micropauseOnShow);
}

TEST(SettingsDialogTest, FillsThePagesAndKeepsUnappliedRowsAcrossOpenings) {
    DialogRig rig;
    rig.UseScheme(3);
    AddSchemeName(rig.store, "Other");
    AddSchemeName(rig.store, "Test");
    rig.settings.InterruptFor = 20;
    rig.dialog.LoadMeUp();
    EXPECT_EQ(rig.view.form[Option::InterruptFor], "20");
    EXPECT_EQ(rig.view.box.names, (std::vector<std::string>{"Other", "Test"}));
    EXPECT_EQ(rig.view.box.selected, 1);
    ASSERT_EQ(rig.view.rows.size(), 3u);

    rig.view.rows[0].text = "Edited";
    rig.view.form[Option::InterruptFor] = "45";  // not applied: lost at the next opening
    rig.dialog.Cancel();
    rig.dialog.LoadMeUp();
    EXPECT_EQ(rig.view.rows[0].text, "Edited");
    EXPECT_EQ(rig.view.form[Option::InterruptFor], "20");

    // The next Apply saves the edited rows as the scheme in use.
    rig.dialog.Apply();
    ExerciseTable stored;
    LoadScheme(rig.store, "Test", stored);
    EXPECT_EQ(stored.At(1).Title, "Edited");
    EXPECT_EQ(stored.At(1).File, "e1.avi");
}

TEST(SettingsDialogTest, OkAppliesPausesAndHidesAndApplyShowsTheCorrectedBoxes) {
    DialogRig rig;
    rig.dialog.LoadMeUp();
    rig.view.form[Option::InterruptFor] = "75";
    rig.view.form[Option::Warning] = "Stretch now";
    rig.dialog.Apply();
    EXPECT_EQ(rig.view.form[Option::InterruptFor], "60");
    EXPECT_EQ(rig.settings.InterruptFor, 60);
    EXPECT_EQ(rig.warning, "Stretch now");
    EXPECT_TRUE(rig.view.shown);

    rig.view.form[Option::InterruptEvery] = "7";
    rig.dialog.Ok();
    EXPECT_EQ(rig.view.paused, kOkPauseMs);
    EXPECT_FALSE(rig.view.shown);
    EXPECT_EQ(rig.store.GetSetting(kMicropause, "InterruptEvery", ""), "7");
}

TEST(SettingsDialogTest, PickingASchemeSavesTheEditsOfTheOneShownFirst) {
    DialogRig rig;
    rig.UseScheme(2);
    SaveScheme(rig.store, "Next", {TitleEntry(), {"n.bmp", "Next one", 1, 15}}, 1);
    rig.dialog.LoadMeUp();
    rig.view.rows[1].length = "44 seconds";
    rig.view.rows[1].icon = kIconOff;
    rig.dialog.SchemeChosen("Next");
    EXPECT_EQ(rig.settings.Scheme, "Next");
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.rows[0].text, "Next one");
    EXPECT_EQ(rig.table.At(1).File, "n.bmp");
    ExerciseTable test;
    LoadScheme(rig.store, "Test", test);
    EXPECT_EQ(test.At(2).Seconds, 44);
    EXPECT_EQ(test.At(2).DoIt, 0);
}

TEST(SettingsDialogTest, AddRemoveAndPreviewWorkOnTheRowsAndTheStore) {
    DialogRig rig;
    rig.UseScheme(1);
    rig.dialog.LoadMeUp();
    rig.view.rows[0].text = "Renamed";
    rig.view.file = "c:\\rilto\\stretch.avi";
    rig.view.title = std::nullopt;  // frmAdd cancelled: the edits stay, nothing is added
    rig.dialog.AddExercise();
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.rows[0].text, "Renamed");

    rig.view.title = "Stretch";
    rig.dialog.AddExercise();
    ASSERT_EQ(rig.view.rows.size(), 2u);
    EXPECT_EQ(rig.view.selected, 2);
    EXPECT_EQ(rig.view.rows[1].length, "30 seconds");
    ExerciseTable stored;
    LoadScheme(rig.store, "Test", stored);
    EXPECT_EQ(stored.At(2).File, "stretch.avi");  // the program folder's own, by bare name
    EXPECT_EQ(stored.At(1).Title, "Renamed");

    rig.dialog.Preview();
    EXPECT_EQ(rig.view.preview, "stretch.avi");
    rig.dialog.Cancel();  // a hidden dialog plays nothing
    EXPECT_EQ(rig.view.preview, "");

    rig.view.yes = false;
    rig.dialog.RemoveExercise();
    EXPECT_EQ(rig.view.rows.size(), 2u);
    rig.view.yes = true;
    rig.dialog.RemoveExercise();
    ASSERT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.selected, 1);
    EXPECT_EQ(rig.table.At(1).File, "e1.avi");
    rig.dialog.RemoveExercise();  // the last one stays
    EXPECT_EQ(rig.view.rows.size(), 1u);
    EXPECT_EQ(rig.view.messages.back(), kCannotRemoveLast);
}

TEST(SettingsDialogTest, SaveAsAsksAgainUntilANameIsTakenAndDeleteKeepsBuiltInSchemes) {
    DialogRig rig;
    rig.UseScheme(2);
    AddSchemeName(rig.store, "*Short Break");
    AddSchemeName(rig.store, "Test");
    rig.dialog.LoadMeUp();
    rig.view.rows[0].text = "Edited before Save As";
    rig.view.yes = false;
    // "test" exists (No keeps the dialog open), "s" cannot be used, then a new name.
    rig.view.typed = {"test", " s ", "  Desk  "};
    rig.dialog.SaveSchemeAs();
    EXPECT_EQ(rig.view.offered, 3);
    EXPECT_EQ(rig.view.messages,
              (std::vector<std::string>{"'test' already exists.  Replace existing scheme?",
                                        kSchemeNameRefused}));
    EXPECT_EQ(rig.settings.Scheme, "Desk");
    EXPECT_EQ(rig.view.SchemeShown(), "Desk");
    ExerciseTable desk;
    LoadScheme(rig.store, "Desk", desk);
    EXPECT_EQ(desk.At(1).Title, "Edited before Save As");  // the rows follow the new name

    rig.view.typed = {"   "};  // blank: closes and saves nothing
    rig.dialog.SaveSchemeAs();
    EXPECT_EQ(ReadSchemeList(rig.store, 0).size(), 3u);

    rig.view.box.selected = 0;  // "*Short Break"
    rig.dialog.DeleteScheme();
    EXPECT_EQ(rig.view.messages.back(), kCannotDeleteBuiltIn);
    rig.view.yes = true;
    rig.view.box.selected = 2;  // "Desk", the scheme in use
    rig.dialog.DeleteScheme();
    EXPECT_EQ(rig.settings.Scheme, "*Short Break");
    EXPECT_EQ(rig.store.GetSetting("Exercise", "Scheme", ""), "*Short Break");
    EXPECT_EQ(rig.view.box.names, (std::vector<std::string>{"*Short Break", "Test"}));
}

// Each scheme's stored exercises as one text, to see that nothing else changed.
std::string Stored(const MemorySettingsStore& store, const std::string& scheme) {
    ExerciseTable t;
    LoadScheme(store, scheme, t);
    std::string text;
    for (std::int32_t k = 1; k <= t.NumExercises; ++k) {
        const ExerciseRecord& r = t.At(k);
        text += r.File + "|" + r.Title + "|" + std::to_string(r.DoIt) + "|" +
                std::to_string(r.Seconds) + ";";
    }
    return text;
}

// The page shows one named scheme and writes only that one, whatever the tray does to
// the scheme in use: between openings, or while a question of the page is open.
TEST(SettingsDialogTest, ThePageWritesOnlyTheSchemeItShows) {
    DialogRig rig;
    SaveScheme(rig.store, "B",
               {TitleEntry(), {"b1.bmp", "B one", 1, 20}, {"b2.avi", "B two", 1, 25}}, 2);
    rig.UseScheme(3);
    AddSchemeName(rig.store, "Test");
    AddSchemeName(rig.store, "B");
    const std::string test = Stored(rig.store, "Test");
    const std::string b = Stored(rig.store, "B");
    rig.Start();
    rig.dialog.LoadMeUp();
    rig.dialog.Cancel();
    rig.flow.RunScheme("B");
    rig.dialog.SchemeInUseChanged();
    rig.RunToEnd();
    rig.dialog.LoadMeUp();
    EXPECT_EQ(rig.view.SchemeShown(), "B");
    ASSERT_EQ(rig.view.rows.size(), 2u);
    EXPECT_EQ(rig.view.rows[0].text, "B one");
    rig.dialog.Ok();
    EXPECT_EQ(Stored(rig.store, "Test"), test);
    EXPECT_EQ(Stored(rig.store, "B"), b);

    // The tray switches back while "Remove" asks: the removal is B's, with its files.
    rig.dialog.LoadMeUp();
    rig.view.rows[1].text = "B two renamed";
    rig.view.selected = 1;
    rig.view.whileAsking = [&] {
        rig.flow.RunScheme("Test");
        rig.dialog.SchemeInUseChanged();
        rig.dialog.LoadMeUp();  // "Options..." from the tray meanwhile
    };
    rig.dialog.RemoveExercise();
    rig.view.whileAsking = nullptr;
    EXPECT_EQ(Stored(rig.store, "B"), "b2.avi|B two renamed|1|25;");
    EXPECT_EQ(Stored(rig.store, "Test"), test);
    EXPECT_EQ(rig.view.SchemeShown(), "Test");  // the page follows the scheme in use
    ASSERT_EQ(rig.view.rows.size(), 3u);
    rig.dialog.Apply();
    EXPECT_EQ(Stored(rig.store, "Test"), test);
    EXPECT_EQ(Stored(rig.store, "B"), "b2.avi|B two renamed|1|25;");
}

// Save As over a listed name typed in another case leaves the user on that scheme.
TEST(SettingsDialogTest, SaveAsOverANameInAnotherCaseStaysOnIt) {
    DialogRig rig;
    rig.UseScheme(2);
    AddSchemeName(rig.store, "*Short Break");
    AddSchemeName(rig.store, "Desk");
    AddSchemeName(rig.store, "Test");
    rig.dialog.LoadMeUp();
    rig.view.typed = {"DESK"};
    rig.dialog.SaveSchemeAs();
    EXPECT_EQ(rig.settings.Scheme, "Desk");
    EXPECT_EQ(rig.view.SchemeShown(), "Desk");
    EXPECT_EQ(ReadSchemeList(rig.store, 0).size(), 3u);
    EXPECT_EQ(Stored(rig.store, "Desk"), Stored(rig.store, "Test"));
}

}  // namespace
}  // namespace rilto
