// The scheme editor: rows and table in step through remove and reorder, adding an
// exercise, Save As names and deleting the scheme in use.

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"
#include "exercise/scheme_editor.h"
#include "exercise/scheme_store.h"

namespace rilto {
namespace {

ExerciseTable Table(int n) {
    ExerciseTable t;
    t.Exercises.assign(static_cast<std::size_t>(n) + 101, ExerciseRecord{});
    t.Exercises[0] = TitleEntry();
    for (int k = 1; k <= n; ++k) {
        t.Exercises[static_cast<std::size_t>(k)] = {"f" + std::to_string(k) + ".avi",
                                                    "T" + std::to_string(k), 1, 10 * k};
    }
    t.NumExercises = n;
    return t;
}

// The rows as the files of their entries: what stays together.
std::vector<std::string> FilesBehind(const std::vector<ExerciseRow>& rows, const ExerciseTable& t) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].text, t.At(static_cast<std::int32_t>(i) + 1).Title);
        out.push_back(t.At(static_cast<std::int32_t>(i) + 1).File);
    }
    return out;
}

TEST(SchemeEditor, RemoveAndReorderKeepEachFileWithItsRow) {
    ExerciseTable t = Table(4);
    std::vector<ExerciseRow> rows = LoadL(t);
    EXPECT_EQ(RemoveExercise(rows, t, 2), 2);
    EXPECT_EQ(t.NumExercises, 3);
    EXPECT_EQ(FilesBehind(rows, t), (std::vector<std::string>{"f1.avi", "f3.avi", "f4.avi"}));
    EXPECT_EQ(RemoveExercise(rows, t, 3), 2);  // the last: the new last is selected

    t = Table(4);
    rows = LoadL(t);
    EXPECT_EQ(MoveExercise(rows, t, 3, true), 2);
    EXPECT_EQ(FilesBehind(rows, t),
              (std::vector<std::string>{"f1.avi", "f3.avi", "f2.avi", "f4.avi"}));
    EXPECT_EQ(MoveExercise(rows, t, 1, true), 1);
    EXPECT_EQ(MoveExercise(rows, t, 4, false), 4);
    EXPECT_EQ(MoveExercise(rows, t, 1, false), 2);
    EXPECT_EQ(FilesBehind(rows, t),
              (std::vector<std::string>{"f3.avi", "f1.avi", "f2.avi", "f4.avi"}));

    // A scheme keeps at least one exercise.
    t = Table(1);
    rows = LoadL(t);
    EXPECT_EQ(RemoveExercise(rows, t, 1), 0);
    EXPECT_EQ(t.NumExercises, 1);
}

TEST(SchemeEditor, AnAddedExerciseTakesPartLastsThirtySecondsAndIsSavedAtOnce) {
    EXPECT_EQ(StoredMediaName("C:\\prog\\stretch.avi", "C:\\prog"), "stretch.avi");
    EXPECT_EQ(StoredMediaName("c:\\PROG\\stretch.avi", "C:\\prog\\"), "stretch.avi");
    EXPECT_EQ(StoredMediaName("C:\\program\\stretch.avi", "C:\\prog"), "C:\\program\\stretch.avi");
    EXPECT_EQ(StoredMediaName("D:\\own\\neck.avi", "C:\\prog"), "D:\\own\\neck.avi");

    MemorySettingsStore store;
    ExerciseTable t = Table(2);
    AddExercise(t, store, "Mine", "stretch.avi", "Stretch");
    ExerciseTable stored;
    LoadScheme(store, "Mine", stored);
    ASSERT_EQ(stored.NumExercises, 3);
    EXPECT_EQ(stored.At(3).File, "stretch.avi");
    EXPECT_EQ(stored.At(3).DoIt, 1);
    EXPECT_EQ(stored.At(3).Seconds, 30);
    EXPECT_EQ(LoadL(stored)[2].length, "30 seconds");
}

TEST(SchemeEditor, SaveAsTakesTrimmedNamesAndAsksBeforeReplacing) {
    MemorySettingsStore store;
    AddSchemeName(store, "*Long Break");
    const ExerciseTable t = Table(2);
    std::string savedAs = "none";
    int asked = 0;
    const auto no = [&] {
        ++asked;
        return false;
    };
    EXPECT_EQ(SchemeNameFrom("   "), "");
    EXPECT_EQ(SaveSchemeAs(store, t, SchemeNameFrom("   "), no, savedAs), SaveAsResult::Refused);
    // "s" would be the list itself.
    EXPECT_EQ(SaveSchemeAs(store, t, "s", no, savedAs), SaveAsResult::Refused);
    EXPECT_EQ(SaveSchemeAs(store, t, "*long break", no, savedAs), SaveAsResult::Kept);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(savedAs, "none");
    EXPECT_FALSE(store.HasSection("Scheme*Long Break"));

    // Replacing a name typed in another case keeps the list's spelling.
    EXPECT_EQ(SaveSchemeAs(
                  store, t, "*LONG break", [] { return true; }, savedAs),
              SaveAsResult::Saved);
    EXPECT_EQ(savedAs, "*Long Break");
    EXPECT_EQ(store.GetSetting("Scheme*Long Break", "1", ""), "f1.avi");
    EXPECT_EQ(SaveSchemeAs(store, t, SchemeNameFrom("  Desk  "), no, savedAs), SaveAsResult::Saved);
    EXPECT_EQ(savedAs, "Desk");
    EXPECT_EQ(ReadSchemeList(store, 0), (std::vector<std::string>{"*Long Break", "Desk"}));
}

TEST(SchemeEditor, DeleteKeepsBuiltInSchemesAndAsksFirst) {
    MemorySettingsStore store;
    for (const char* name : {"*Short Break", "Desk", "Evening"}) {
        AddSchemeName(store, name);
    }
    SaveScheme(store, "Desk", Table(3).Exercises, 3);
    EXPECT_EQ(DeleteScheme(store, "*Short Break", [] { return true; }), DeleteResult::BuiltIn);
    EXPECT_EQ(DeleteScheme(store, "Desk", [] { return false; }), DeleteResult::Kept);
    EXPECT_EQ(ReadSchemeList(store, 0).size(), 3u);

    EXPECT_EQ(DeleteScheme(store, "Desk", [] { return true; }), DeleteResult::Deleted);
    EXPECT_EQ(ReadSchemeList(store, 0), (std::vector<std::string>{"*Short Break", "Evening"}));
    EXPECT_TRUE(store.HasSection("SchemeDesk"));  // its section stays
}

}  // namespace
}  // namespace rilto
