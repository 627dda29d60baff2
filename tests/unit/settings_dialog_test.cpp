// Opening the settings dialog, its commands, and a scheme picked on its pages, with the
// window replaced by a view that records what it is asked to show.

#include <gtest/gtest.h>

#include "fakes/exercise_rig.h"
#include "settings/settings_dialog.h"
#include "settings/settings_texts.h"

namespace rilto {
namespace {

struct DialogRig : fakes::ExerciseRig {
    DialogRig() : view(settingsView), dialog(core.settingsDialog()) {}
    fakes::FakeSettingsView& view;
    SettingsDialog& dialog;
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
    EXPECT_EQ(rig.status.warning, "Stretch now");
    EXPECT_TRUE(rig.view.shown);

    rig.view.form[Option::InterruptEvery] = "7";
    rig.dialog.Ok();
    EXPECT_EQ(rig.view.paused, kOkPauseMs);
    EXPECT_FALSE(rig.view.shown);
    EXPECT_EQ(rig.store.GetSetting(kMicropause, "InterruptEvery", ""), "7");
}

TEST(SettingsDialogTest, HoursThatCannotBeReadAreNamedOnceAndOkStaysOpenUntilMended) {
    DialogRig rig;
    rig.dialog.LoadMeUp();
    rig.view.form[Option::HoursTue] = "9-17";
    rig.view.form[Option::HoursThu] = "x";
    rig.view.form[Option::InterruptFor] = "20";
    rig.dialog.Ok();
    // One message, naming both days and why, and the format to use.
    ASSERT_EQ(rig.view.messages.size(), 1u);
    const std::string& message = rig.view.messages[0];
    EXPECT_NE(message.find(kHoursRefused), std::string::npos);
    EXPECT_NE(message.find("Tuesday: \"9-17\" is not a range"), std::string::npos) << message;
    EXPECT_NE(message.find("Thursday: \"x\" is not a range"), std::string::npos) << message;
    EXPECT_NE(message.find(kHoursHint), std::string::npos);
    // Still open, the typed text in its box; the rest applied.
    EXPECT_TRUE(rig.view.shown);
    EXPECT_EQ(rig.view.paused, 0u);
    EXPECT_EQ(rig.view.form[Option::HoursTue], "9-17");
    EXPECT_EQ(rig.store.GetSetting(kSchedule, "Tue", ""), "09:00-17:00");
    EXPECT_EQ(rig.settings.InterruptFor, 20);

    // Apply says it again; mended, OK closes without a word.
    rig.dialog.Apply();
    EXPECT_EQ(rig.view.messages.size(), 2u);
    rig.view.form[Option::HoursTue] = "09:00-12:00";
    rig.view.form[Option::HoursThu] = "";
    rig.dialog.Ok();
    EXPECT_EQ(rig.view.messages.size(), 2u);
    EXPECT_FALSE(rig.view.shown);
    EXPECT_EQ(rig.store.GetSetting(kSchedule, "Tue", ""), "09:00-12:00");
    EXPECT_EQ(rig.store.GetSetting(kSchedule, "Thu", "<none>"), "");
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
    rig.view.file = "c:\\program files\\rilto\\stretch.avi";
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
