// The scheme page's exercise list: rows from the table, the detail frame of a row, the
// edited rows back into the table, the scheme boxes and a switch between schemes.

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"
#include "common/product.h"
#include "common/settings.h"
#include "exercise/scheme_rows.h"
#include "exercise/scheme_store.h"

namespace rilto {
namespace {

// A table of `n` exercises fk.avi titled "Tk", every other one taking part, k*10 seconds
// each; a spare entry past the scheme carries a marker.
ExerciseTable RowsTable(std::int32_t n) {
    ExerciseTable table;
    for (std::int32_t k = 1; k <= n; ++k) {
        table.Exercises.push_back(
            {"f" + std::to_string(k) + ".avi", "T" + std::to_string(k), k % 2, 10 * k});
    }
    table.Exercises.push_back({"spare.avi", "spare", 1, 99});
    table.NumExercises = n;
    return table;
}

void ExpectSameEntries(const ExerciseTable& a, const ExerciseTable& b) {
    ASSERT_EQ(a.NumExercises, b.NumExercises);
    for (std::int32_t i = 0; i <= a.NumExercises + 1; ++i) {
        EXPECT_EQ(a.At(i).File, b.At(i).File) << i;
        EXPECT_EQ(a.At(i).Title, b.At(i).Title) << i;
        EXPECT_EQ(a.At(i).DoIt, b.At(i).DoIt) << i;
        EXPECT_EQ(a.At(i).Seconds, b.At(i).Seconds) << i;
    }
}

TEST(SchemeRows, ShowTitleSwitchAndLengthOfEachExercise) {
    const std::vector<ExerciseRow> rows = LoadL(RowsTable(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "T1");
    EXPECT_EQ(rows[0].icon, kIconOn);
    EXPECT_EQ(rows[0].length, "10 seconds");
    EXPECT_EQ(rows[1].icon, kIconOff);
    EXPECT_EQ(rows[2].length, "30 seconds");
    EXPECT_TRUE(LoadL(ExerciseTable{}).empty());
}

TEST(SchemeRows, UneditedRowsGoBackWithoutChangingTheTable) {
    const ExerciseTable original = RowsTable(4);
    ExerciseTable table = original;
    LtoExercises(LoadL(table), table);
    ExpectSameEntries(table, original);
    EXPECT_GE(table.Exercises.size(), 4u + kSpareExercises + 1);
}

TEST(SchemeRows, EditsGoBackIntoTheirEntriesAndTheFilesStay) {
    ExerciseTable table = RowsTable(4);
    std::vector<ExerciseRow> rows = LoadL(table);
    rows[0] = {"Neck", kIconOff, "45 seconds"};
    rows[1] = {"Arms", kIconOn, ""};     // no length: the seconds stay
    rows[2] = {"Back", kIconOn, "abc"};  // no number: the seconds stay
    rows[3] = {"Legs", kIconOff, "7"};   // a bare number will do
    LtoExercises(rows, table);
    EXPECT_EQ(table.At(1).Title, "Neck");
    EXPECT_EQ(table.At(1).DoIt, 0);
    EXPECT_EQ(table.At(1).Seconds, 45);
    EXPECT_EQ(table.At(2).DoIt, 1);
    EXPECT_EQ(table.At(2).Seconds, 20);
    EXPECT_EQ(table.At(3).Seconds, 30);
    EXPECT_EQ(table.At(4).Seconds, 7);
    for (std::int32_t k = 1; k <= 4; ++k) {
        EXPECT_EQ(table.At(k).File, "f" + std::to_string(k) + ".avi");
    }
    EXPECT_EQ(table.At(5).Title, "spare");
}

TEST(SchemeRows, OnlyRowsThatHaveAnEntryGoBack) {
    ExerciseTable table = RowsTable(2);
    const ExerciseTable before = table;
    LtoExercises({}, table);
    ExpectSameEntries(table, before);
    EXPECT_EQ(table.Exercises.size(), before.Exercises.size());

    // More rows than exercises: the extra ones touch nothing past the scheme.
    LtoExercises(
        {{"A", kIconOn, "1 seconds"}, {"B", kIconOn, "2 seconds"}, {"C", kIconOff, "3 seconds"}},
        table);
    EXPECT_EQ(table.NumExercises, 2);
    EXPECT_EQ(table.At(2).Title, "B");
    EXPECT_EQ(table.At(3).Title, "spare");

    // Fewer rows than exercises: the rest keep their values.
    LtoExercises({{"Z", kIconOff, "5 seconds"}}, table);
    EXPECT_EQ(table.At(1).Title, "Z");
    EXPECT_EQ(table.At(2).Title, "B");
}

TEST(SchemeRows, TheDetailFrameShowsTheRow) {
    const ExerciseDetail on = DetailIt({"Neck roll", kIconOn, "30 seconds"});
    EXPECT_TRUE(on.chkDoit);
    EXPECT_EQ(on.caption, "Neck roll settings");
    EXPECT_EQ(on.txtXsecs, "30");
    const ExerciseDetail off = DetailIt({"Wrists", kIconOff, "12"});
    EXPECT_FALSE(off.chkDoit);
    EXPECT_EQ(off.txtXsecs, "12");
}

TEST(SchemeBoxes, ListTheNamesAndSelectTheLastMatchExactOrElseInAnyCase) {
    MemorySettingsStore store;
    const SchemeBox none = LoadSchemesInto(store, kDefaultScheme);
    EXPECT_EQ(none.names, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(none.selected, 0);

    store.SaveSetting(kSchemes, "Num", "4");
    store.SaveSetting(kSchemes, "1", "*Medium break");
    store.SaveSetting(kSchemes, "2", "mine");
    store.SaveSetting(kSchemes, "3", "Mine");
    store.SaveSetting(kSchemes, "4", "mine");
    EXPECT_EQ(LoadSchemesInto(store, "Mine").selected, 2);
    EXPECT_EQ(LoadSchemesInto(store, "mine").selected, 3);
    EXPECT_EQ(LoadSchemesInto(store, "MINE").selected, 3);  // the same section
    EXPECT_EQ(LoadSchemesInto(store, "Yours").selected, 0);
    EXPECT_EQ(LoadSchemesInto(store, "mine").names.size(), 4u);
}

}  // namespace
}  // namespace rilto
