// Exercise schemes in the store, the player's decisions about media, and the first-run
// check of the media files the schemes name.

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"
#include "exercise/exercise_media.h"
#include "exercise/media_check.h"
#include "exercise/scheme_store.h"

namespace rilto {
namespace {

std::vector<ExerciseRecord> Records(std::initializer_list<const char*> files) {
    std::vector<ExerciseRecord> out{TitleEntry()};
    int k = 0;
    for (const char* f : files) {
        ++k;
        out.push_back({f, std::string("T") + std::to_string(k), k % 2, 10 * k});
    }
    return out;
}

TEST(SchemeStore, LoadDropsTheTitleClipAndPutsTheTitleEntryFirst) {
    MemorySettingsStore store;
    const char* files[] = {"Title.AVI", "a.avi", "b.bmp", "x\\title.avi"};
    store.SaveSetting("SchemeNeck", "Num", "4");
    for (int k = 1; k <= 4; ++k) {
        store.SaveSetting("SchemeNeck", std::to_string(k), files[k - 1]);
    }
    store.SaveSetting("SchemeNeck", "d2", "Arms");
    store.SaveSetting("SchemeNeck", "y2", "1");
    store.SaveSetting("SchemeNeck", "s2", "25");
    ExerciseTable table;
    LoadScheme(store, "NECK", table);  // section names match in any case
    ASSERT_EQ(table.NumExercises, 3);
    EXPECT_EQ(table.At(0).File, "title.avi");
    EXPECT_EQ(table.At(0).Title, "Gently now...");
    EXPECT_EQ(table.At(0).Seconds, 10);
    EXPECT_EQ(table.At(1).File, "a.avi");
    EXPECT_EQ(table.At(1).Title, "Arms");
    EXPECT_EQ(table.At(1).Seconds, 25);
    EXPECT_EQ(table.At(2).File, "b.bmp");
    EXPECT_EQ(table.At(2).Title, "error!");  // no title key
    EXPECT_EQ(table.At(2).DoIt, 0);
    EXPECT_EQ(table.At(3).File, "x\\title.avi");  // only the bare name is the title clip
    // The title entry, the four stored, and the spares above them: room to grow.
    EXPECT_GE(table.Exercises.size(), 1u + 4u + kSpareExercises);

    LoadScheme(store, "Nowhere", table);
    EXPECT_EQ(table.NumExercises, 0);
    EXPECT_EQ(table.At(0).File, "title.avi");
}

TEST(SchemeStore, ADamagedCountNeitherAllocatesWithoutBoundNorGoesNegative) {
    MemorySettingsStore store;
    ExerciseTable table;
    store.SaveSetting("SchemeBig", "Num", "2000000000");
    store.SaveSetting("SchemeBig", "1000", "late.avi");
    LoadScheme(store, "Big", table);
    EXPECT_EQ(table.NumExercises, kMaxSchemeExercises);
    EXPECT_LE(table.Exercises.size(), 1100u);
    store.SaveSetting("SchemeBig", "Num", "-5");
    LoadScheme(store, "Big", table);
    EXPECT_EQ(table.NumExercises, 0);
    store.SaveSetting("SchemeBig", "Num", "many");
    LoadScheme(store, "Big", table);
    EXPECT_EQ(table.NumExercises, 0);
}

TEST(SchemeStore, SaveWritesTheCountLastAndLeavesLongerPastsAlone) {
    MemorySettingsStore store;
    SaveScheme(store, "M", Records({"1.avi", "2.avi", "3.avi", "4.avi", "5.avi"}), 5);
    SaveScheme(store, "M", Records({"a.avi", "b.bmp"}), 2);
    EXPECT_EQ(store.GetSetting("SchemeM", "Num", ""), "2");
    EXPECT_EQ(store.GetSetting("SchemeM", "5", ""), "5.avi");  // left from before
    EXPECT_EQ(store.GetSetting("SchemeM", "y1", ""), "1");
    EXPECT_EQ(store.GetSetting("SchemeM", "s2", ""), "20");
    ExerciseTable table;
    LoadScheme(store, "M", table);
    ASSERT_EQ(table.NumExercises, 2);
    EXPECT_EQ(table.At(2).File, "b.bmp");
    EXPECT_EQ(table.At(2).Title, "T2");

    MemorySettingsStore empty;
    SaveScheme(empty, "E", Records({"a.avi"}), 0);
    EXPECT_EQ(empty.Count(), 1u);
    EXPECT_EQ(empty.GetSetting("SchemeE", "Num", ""), "0");
    // A count beyond the table writes only what the table holds.
    SaveScheme(empty, "E", Records({"a.avi"}), 7);
    EXPECT_EQ(empty.GetSetting("SchemeE", "Num", ""), "1");
}

TEST(SchemeStore, SaveWritesNoMoreExercisesThanALoadReads) {
    std::vector<ExerciseRecord> records(static_cast<std::size_t>(kMaxSchemeExercises) + 3);
    for (std::size_t k = 1; k < records.size(); ++k) {
        records[k] = {"e" + std::to_string(k) + ".avi", "E" + std::to_string(k), 1, 5};
    }
    MemorySettingsStore store;
    SaveScheme(store, "Long", records, kMaxSchemeExercises + 2);
    EXPECT_EQ(store.GetSetting("SchemeLong", "Num", ""), std::to_string(kMaxSchemeExercises));
    EXPECT_EQ(store.GetSetting("SchemeLong", std::to_string(kMaxSchemeExercises), ""),
              "e" + std::to_string(kMaxSchemeExercises) + ".avi");
    EXPECT_FALSE(store.Has("SchemeLong", std::to_string(kMaxSchemeExercises + 1)));
}

TEST(SchemeList, WithoutAStoredListNoNameIsListedNotEvenAnEmptyOne) {
    const MemorySettingsStore store;
    EXPECT_TRUE(ReadSchemeList(store, 0).empty());
    EXPECT_EQ(ListedSchemeName(store, "Neck"), std::nullopt);
    EXPECT_EQ(ListedSchemeName(store, ""), std::nullopt);
}

TEST(SchemeList, AddFindsNamesInAnyCaseAndRemoveClosesTheGap) {
    MemorySettingsStore store;
    EXPECT_TRUE(ReadSchemeList(store, 0).empty());
    EXPECT_EQ(ReadSchemeList(store, 3), (std::vector<std::string>{"", "", ""}));
    for (const char* name : {"A", "*Short Break", "C", "D"}) {
        EXPECT_TRUE(AddSchemeName(store, name));
    }
    EXPECT_FALSE(AddSchemeName(store, "*short break"));
    EXPECT_EQ(store.GetSetting("Schemes", "Num", ""), "4");

    RemoveSchemeName(store, "*SHORT BREAK");
    EXPECT_EQ(ReadSchemeList(store, 0), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_FALSE(store.Has("Schemes", "4"));
    RemoveSchemeName(store, "D");
    EXPECT_EQ(ReadSchemeList(store, 0), (std::vector<std::string>{"A", "C"}));
    EXPECT_FALSE(store.Has("Schemes", "3"));
    RemoveSchemeName(store, "nobody");
    EXPECT_EQ(ReadSchemeList(store, 0).size(), 2u);
}

// A store that counts the values read from it.
class CountingStore : public MemorySettingsStore {
  public:
    using MemorySettingsStore::GetSetting;
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view def) const override {
        ++reads;
        return MemorySettingsStore::GetSetting(section, key, def);
    }
    mutable int reads = 0;
};

TEST(SchemeList, AReaderThatShowsFewerReadsNoFurther) {
    CountingStore store;
    store.SaveSetting("Schemes", "Num", "4000000000");
    store.SaveSetting("Schemes", "1", "A");
    store.SaveSetting("Schemes", "2", "B");
    EXPECT_EQ(ReadSchemeList(store, 0, 3), (std::vector<std::string>{"A", "B", ""}));
    EXPECT_EQ(store.reads, 4) << "the count and three names";
    store.SaveSetting("Schemes", "Num", "2");
    EXPECT_EQ(ReadSchemeList(store, 0, 3), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(ReadSchemeList(store, 0, 0).empty());
    EXPECT_TRUE(ReadSchemeList(store, 0, -5).empty());
    EXPECT_EQ(ReadSchemeList(store, 0, kMostListedSchemes).size(), 2u);
}

// A damaged count reads as the longest list: a name added then takes the place of a
// missing one, for a name written past the list's end would never be listed.
TEST(SchemeList, ANameAddedToAListAtItsBoundIsListed) {
    MemorySettingsStore store;
    store.SaveSetting("Schemes", "Num", "4000000000");
    store.SaveSetting("Schemes", "1", "A");
    EXPECT_TRUE(AddSchemeName(store, "Mine"));
    EXPECT_EQ(ListedSchemeName(store, "MINE"), "Mine");
    EXPECT_EQ(ReadSchemeList(store, 0)[1], "Mine");
    EXPECT_EQ(ListedSchemeName(store, "A"), "A");

    for (int k = 1; k <= 9999; ++k) {
        store.SaveSetting("Schemes", std::to_string(k), "S" + std::to_string(k));
    }
    EXPECT_FALSE(AddSchemeName(store, "One too many")) << "a full list takes no more";
    EXPECT_EQ(ListedSchemeName(store, "One too many"), std::nullopt);
}

TEST(SchemeList, OnlyTheThreeShippedNamesAreBuiltIn) {
    EXPECT_TRUE(IsBuiltInScheme("*Medium Break"));
    EXPECT_TRUE(IsBuiltInScheme("*Long Break"));
    EXPECT_FALSE(IsBuiltInScheme("*medium break"));
    EXPECT_FALSE(IsBuiltInScheme("*Short"));
    EXPECT_FALSE(IsBuiltInScheme("Short Break"));
    EXPECT_FALSE(IsBuiltInScheme(""));
}

TEST(ExerciseMedia, KindSizeAndFolder) {
    EXPECT_EQ(KindOfMedia("x\\Palming.BMP"), MediaKind::Picture);
    EXPECT_EQ(KindOfMedia("neck.avi"), MediaKind::Video);
    EXPECT_EQ(KindOfMedia("wave.gif"), MediaKind::Other);
    EXPECT_EQ(KindOfMedia("avi"), MediaKind::Other);

    const std::pair<int, int> sizes[] = {
        {239, 179}, {319, 239}, {479, 359}, {639, 479}, {959, 719}};
    for (int i = 0; i < kVideoSizes; ++i) {
        ASSERT_TRUE(VideoSurfaceSize(i));
        EXPECT_EQ(VideoSurfaceSize(i)->width, sizes[i].first);
        EXPECT_EQ(VideoSurfaceSize(i)->height, sizes[i].second);
    }
    EXPECT_FALSE(VideoSurfaceSize(5));
    EXPECT_FALSE(VideoSurfaceSize(-1));
    // A preview takes the largest size up to the chosen one that fits its room.
    EXPECT_EQ(FittingViewAm(4, {640, 480}), 3);
    EXPECT_EQ(FittingViewAm(1, {900, 700}), 1);
    EXPECT_EQ(FittingViewAm(4, {100, 100}), 0);
    EXPECT_EQ(FittingViewAm(99, {2000, 2000}), 4);

    EXPECT_EQ(ResolveMediaFile("neck.avi", "C:\\Rilto"), "C:\\Rilto\\neck.avi");
    EXPECT_EQ(ResolveMediaFile("pics\\eyes.bmp", "C:\\Rilto"), "pics\\eyes.bmp");
}

// The player's device keeps its alias; the preview's is another, in every command.
TEST(ExerciseMedia, VideoCommandsNameTheirDevice) {
    EXPECT_EQ(OpenVideoCommand(kPlayerVideoAlias, "C:\\My Videos\\a.avi", 1234),
              "open \"C:\\My Videos\\a.avi\" type AVIVideo alias riltox parent 1234 style "
              "1073741824");
    EXPECT_EQ(PlaceVideoCommand(kPlayerVideoAlias, {479, 359}), "put riltox window at 0 0 479 359");
    EXPECT_EQ(VideoDestinationCommand(kPlayerVideoAlias, {239, 179}),
              "put riltox destination at 0 0 239 179");
    EXPECT_EQ(PlayVideoCommand(kPlayerVideoAlias), "play riltox repeat");
    EXPECT_EQ(CloseVideoCommand(kPlayerVideoAlias), "close riltox");
    EXPECT_EQ(OpenVideoCommand(kPreviewVideoAlias, "b.avi", 7),
              "open \"b.avi\" type AVIVideo alias riltoxpreview parent 7 style 1073741824");
    EXPECT_EQ(CloseVideoCommand(kPreviewVideoAlias), "close riltoxpreview");
}

TEST(ExerciseMedia, AWindowIsRecentredOnlyWhenMoreThanFiftyTwipsAway) {
    const SurfaceSize window{3000, 2000};
    const SurfaceSize screen{15360, 11520};
    EXPECT_FALSE(RecentredPlace({6180 + 40, 4760}, window, screen));
    const auto moved = RecentredPlace({6180, 4760 - 60}, window, screen);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->left, 6180);
    EXPECT_EQ(moved->top, 4760);
}

TEST(MediaCheck, ListsEachMissingFileOnceAndSaysHowToGetItBack) {
    MemorySettingsStore store;
    AddSchemeName(store, "One");
    AddSchemeName(store, "Two");
    SaveScheme(store, "One", Records({"neck.avi", "eyes.bmp", "notes.txt"}), 3);
    SaveScheme(store, "Two", Records({"NECK.AVI", "D:\\own\\mine.avi"}), 2);
    const std::vector<std::string> expectedInUse{"C:\\R\\title.avi", "C:\\R\\neck.avi",
                                                 "C:\\R\\eyes.bmp", "D:\\own\\mine.avi"};
    EXPECT_EQ(MediaFilesInUse(store, "C:\\R"), expectedInUse);

    const auto missing =
        MissingMedia(store, "C:\\R", [](const std::string& f) { return f != "C:\\R\\neck.avi"; });
    EXPECT_EQ(missing, std::vector<std::string>{"C:\\R\\neck.avi"});
    const std::string message = MissingMediaMessage(missing, "C:\\R");
    EXPECT_NE(message.find("C:\\R\\neck.avi"), std::string::npos);
    EXPECT_NE(message.find("install Rilto Micropause again"), std::string::npos);

    const std::vector<std::string> many(20, "x.avi");
    EXPECT_NE(MissingMediaMessage(many, "C:\\R", 12).find("and more: 8"), std::string::npos);
}

}  // namespace
}  // namespace rilto
