#include "common/settings_loader.h"

#include <string>

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"
#include "common/options.h"

namespace rilto {
namespace {

TEST(SettingsLoader, EmptyStoreGivesEveryDefault) {
    const MemorySettingsStore store;
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.InterruptFor, 15);
    EXPECT_EQ(s.InterruptEvery, 4);
    EXPECT_TRUE(s.IntelliReset);
    EXPECT_TRUE(s.Audible);
    EXPECT_EQ(s.WarningSound, "");
    EXPECT_TRUE(s.AudiblePre);
    EXPECT_EQ(s.WarningSoundPre, "");
    EXPECT_FALSE(s.DisableEsc);
    EXPECT_TRUE(s.Blank);
    EXPECT_EQ(s.Warning, "Hands off Keyboard && Mouse, look away, relax.");
    EXPECT_TRUE(s.Monitor[0]);
    EXPECT_TRUE(s.Monitor[1]);
    EXPECT_EQ(s.Scheme, "*Medium break");
    EXPECT_EQ(s.EveryM, 50);
    EXPECT_TRUE(s.AudibleX);
    EXPECT_EQ(s.WarningSoundX, "");
    EXPECT_TRUE(s.BlankX);
    EXPECT_EQ(s.ViewAm, 0);
    EXPECT_EQ(s.xStart, 0);
    EXPECT_EQ(s.NumAtaTime, 6);
    EXPECT_EQ(s.AwayM, 10);
    EXPECT_EQ(s.SkipsPerDay, 0);
    EXPECT_EQ(s.LaterPerBreak, 0);
    EXPECT_TRUE(s.FullScreen);
    EXPECT_EQ(s.MaxM, 60);
    EXPECT_EQ(s.Programs, "");
    EXPECT_TRUE(s.Calls);
    EXPECT_EQ(s.IgnoreDevices, "");
    for (const std::string& key : s.Hotkeys) {
        EXPECT_EQ(key, "") << "no hot key out of the box";
    }
}

TEST(SettingsLoader, HotKeysAreReadFromTheirSectionUnderTheCommandsNames) {
    MemorySettingsStore store;
    store.SaveSetting("Hotkeys", "MicropauseNow", "Ctrl+Alt+M");
    store.SaveSetting("HOTKEYS", "exercisenow", "ctrl+alt+e");
    store.SaveSetting("Hotkeys", "Pause", "Ctrl+Alt+P");
    store.SaveSetting("Hotkeys", "Skip", "Ctrl+Alt+K");
    store.SaveSetting("Hotkeys", "Statistics", "no key");
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.Hotkeys, (std::array<std::string, kHotKeyCommands>{
                             "Ctrl+Alt+M", "ctrl+alt+e", "Ctrl+Alt+P", "Ctrl+Alt+K", "no key"}));
}

// The settings pages' number boxes: the spin buttons reach only numbers the box keeps,
// and whatever a box keeps the loader keeps as it is, so what the user sets is what the
// next start reads.
TEST(SettingsLoader, WhatTheNumberBoxesOfferIsWhatTheLoaderKeeps) {
    const auto within = [](const NumberRange& inner, const NumberRange& outer) {
        return inner.min <= inner.max && outer.min <= inner.min && inner.max <= outer.max;
    };
    for (const OptionRow& row : AllOptions()) {
        if (row.box != OptionBox::Clamped && row.box != OptionBox::Count) {
            continue;
        }
        SCOPED_TRACE(row.key);
        EXPECT_TRUE(within(row.spin, row.stored));
        if (row.box == OptionBox::Clamped) {
            EXPECT_TRUE(within(row.spin, row.boxRange));
            EXPECT_TRUE(within(row.boxRange, row.stored));
        }
        const NumberRange kept = row.box == OptionBox::Clamped ? row.boxRange : row.spin;
        for (const std::int32_t end : {kept.min, kept.max}) {
            MemorySettingsStore store;
            store.SaveSetting(row.section, row.key, std::to_string(end));
            EXPECT_EQ(ReadOption(store, row.option), end);
        }
    }
}

TEST(SettingsLoader, StoredValuesAreUsedWithNamesInAnyCase) {
    MemorySettingsStore store;
    store.SaveSetting("micropause", "INTERRUPTFOR", "30");
    store.SaveSetting("Micropause", "interruptevery", "10");
    store.SaveSetting("Micropause", "Warning", "Stand up");
    store.SaveSetting("Micropause", "Monitor1", "0");
    store.SaveSetting("EXERCISE", "Scheme", "Mine");
    store.SaveSetting("Exercise", "xStart", "-1");
    store.SaveSetting("Exercise", "ViewAm", "3");
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.InterruptFor, 30);
    EXPECT_EQ(s.InterruptEvery, 10);
    EXPECT_EQ(s.Warning, "Stand up");
    EXPECT_TRUE(s.Monitor[0]);
    EXPECT_FALSE(s.Monitor[1]);
    EXPECT_EQ(s.Scheme, "Mine");
    EXPECT_EQ(s.xStart, -1);
    EXPECT_EQ(s.ViewAm, 3);
}

TEST(SettingsLoader, EitherEscapeLockDisablesEarlyExit) {
    MemorySettingsStore store;
    store.SaveSetting("Micropause", "DisableEsc", "0");
    store.SaveSetting("Micropause", "DisableEsc2", "1");
    EXPECT_TRUE(LoadSettings(store).DisableEsc);
    store.SaveSetting("Micropause", "DisableEsc", "1");
    store.SaveSetting("Micropause", "DisableEsc2", "0");
    EXPECT_TRUE(LoadSettings(store).DisableEsc);
    store.SaveSetting("Micropause", "DisableEsc", "0");
    EXPECT_FALSE(LoadSettings(store).DisableEsc);
}

TEST(SettingsLoader, NonNumbersReadAsTheKeysDefault) {
    MemorySettingsStore store;
    for (const char* bad : {"", "abc", "12abc", "1.5", "&H10", "--3", "+"}) {
        store.SaveSetting("Micropause", "InterruptFor", bad);
        store.SaveSetting("Exercise", "EveryM", bad);
        store.SaveSetting("Micropause", "Blank", bad);
        store.SaveSetting("Micropause", "Monitor0", bad);
        const Settings s = LoadSettings(store);
        EXPECT_EQ(s.InterruptFor, 15) << '"' << bad << '"';
        EXPECT_EQ(s.EveryM, 50) << '"' << bad << '"';
        EXPECT_TRUE(s.Blank) << '"' << bad << '"';
        EXPECT_TRUE(s.Monitor[0]) << '"' << bad << '"';
    }
}

TEST(SettingsLoader, OutOfRangeNumbersAreClampedToTheNearestUsableValue) {
    MemorySettingsStore store;
    store.SaveSetting("Micropause", "InterruptFor", "0");
    store.SaveSetting("Micropause", "InterruptEvery", "-7");
    store.SaveSetting("Exercise", "ViewAm", "9");
    store.SaveSetting("Exercise", "NumAtaTime", "-2");
    store.SaveSetting("Exercise", "EveryM", "-1");
    Settings s = LoadSettings(store);
    EXPECT_EQ(s.InterruptFor, 1);
    EXPECT_EQ(s.InterruptEvery, 1);
    EXPECT_EQ(s.ViewAm, 4);
    EXPECT_EQ(s.NumAtaTime, 0);
    EXPECT_EQ(s.EveryM, 0);

    // Whose milliseconds would overflow a 32-bit timer interval.
    store.SaveSetting("Micropause", "InterruptFor", "2147484");
    store.SaveSetting("Micropause", "InterruptEvery", "99999999999999999999999");
    store.SaveSetting("Exercise", "ViewAm", "-1");
    store.SaveSetting("Exercise", "NumAtaTime", "2147483647");
    store.SaveSetting("Exercise", "EveryM", "2147483647");
    s = LoadSettings(store);
    EXPECT_EQ(s.InterruptFor, kMaxSeconds);
    EXPECT_LE(static_cast<long long>(s.InterruptFor) * 1000, INT32_MAX);
    EXPECT_EQ(s.InterruptEvery, kMaxMinutes);
    EXPECT_EQ(s.ViewAm, 0);
    EXPECT_EQ(s.NumAtaTime, RowOf(Option::NumAtaTime).stored.max);
    EXPECT_EQ(s.EveryM, kMaxMinutes);
}

TEST(SettingsLoader, EachNumberIsKeptUpToTheEndsOfItsRangeAndClampedBeyond) {
    struct Case {
        const char* section;
        const char* key;
        std::int32_t Settings::*field;
        std::int32_t low;
        std::int32_t high;
    };
    for (const Case& c :
         {Case{"Micropause", "InterruptFor", &Settings::InterruptFor, 1, kMaxSeconds},
          Case{"Micropause", "InterruptEvery", &Settings::InterruptEvery, 1, kMaxMinutes},
          Case{"Exercise", "EveryM", &Settings::EveryM, 0, kMaxMinutes},
          Case{"Exercise", "ViewAm", &Settings::ViewAm, 0, 4},
          Case{"Exercise", "NumAtaTime", &Settings::NumAtaTime, 0, 9999},
          Case{"Exercise", "AwayM", &Settings::AwayM, 1, 120},
          Case{"Hold", "MaxM", &Settings::MaxM, 1, 480},
          Case{"Micropause", "SkipsPerDay", &Settings::SkipsPerDay, 0, 99},
          Case{"Exercise", "LaterPerBreak", &Settings::LaterPerBreak, 0, 9}}) {
        MemorySettingsStore store;
        const auto loaded = [&](std::int64_t stored) {
            store.SaveSetting(c.section, c.key, std::to_string(stored));
            return LoadSettings(store).*c.field;
        };
        EXPECT_EQ(loaded(c.low), c.low) << c.key;
        EXPECT_EQ(loaded(c.low - 1), c.low) << c.key;
        EXPECT_EQ(loaded(c.high), c.high) << c.key;
        EXPECT_EQ(loaded(std::int64_t{c.high} + 1), c.high) << c.key;
    }
}

TEST(SettingsLoader, WorkingValuesAreKeptAsTheyAre) {
    MemorySettingsStore store;
    store.SaveSetting("Micropause", "InterruptFor", " 75 ");  // blanks around a number are fine
    store.SaveSetting("Micropause", "InterruptEvery", "1");
    store.SaveSetting("Exercise", "EveryM", "0");
    store.SaveSetting("Exercise", "NumAtaTime", "0");
    store.SaveSetting("Micropause", "Audible", "-1");  // any number but 0 is on
    const Settings s = LoadSettings(store);
    EXPECT_EQ(s.InterruptFor, 75);
    EXPECT_EQ(s.InterruptEvery, 1);
    EXPECT_EQ(s.EveryM, 0);
    EXPECT_EQ(s.NumAtaTime, 0);
    EXPECT_TRUE(s.Audible);
}

TEST(MemorySettingsStore, DeletesValuesAndSections) {
    MemorySettingsStore store;
    store.SaveSetting("Schemes", "Num", "2");
    store.SaveSetting("Schemes", "1", "A");
    store.DeleteSetting("SCHEMES", "num");
    EXPECT_EQ(store.GetSetting("Schemes", "Num", "0"), "0");
    EXPECT_EQ(store.GetSetting("Schemes", "1", ""), "A");
    store.DeleteSection("schemes");
    EXPECT_FALSE(store.HasSection("Schemes"));
    EXPECT_EQ(store.GetSetting("Schemes", "1", 7), "7");
}

}  // namespace
}  // namespace rilto
