// Names compared as the registry and the file system compare them, and the places that
// compare scheme names and folders so.

#include "common/name_case.h"

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"
#include "exercise/exercise_table.h"
#include "exercise/scheme_editor.h"
#include "exercise/scheme_store.h"

namespace rilto {
namespace {

struct NamePair {
    const char* a;
    const char* b;
};

TEST(NameCase, FoldsEverySimpleCasePairOfTheBasicPlane) {
    const NamePair same[] = {
        {"\u00DCbung", "\u00FCBUNG"},
        {"\u03A3", "\u03C3"},              // Σ σ
        {"\u03A9", "\u03C9"},              // Ω ω
        {"\u0416\u042F", "\u0436\u044F"},  // ЖЯ жя
        {"\u0531", "\u0561"},              // Armenian
        {"\u1C90", "\u10D0"},              // Georgian Mtavruli and Mkhedruli
        {"\u01C4", "\u01C6"},              // Ǆ ǆ
        {"\u1F88", "\u1F80"},              // Greek with ypogegrammeni
        {"\u13A0", "\uAB70"},              // Cherokee
        {"\uFF21", "\uFF41"},              // fullwidth
    };
    for (const NamePair& p : same) {
        EXPECT_TRUE(SameName(p.a, p.b)) << p.a << " " << p.b;
        EXPECT_EQ(NameKey(p.a), NameKey(p.b)) << p.a;
    }
    EXPECT_EQ(NameKey("\u00FCbung"), "\u00DCBUNG");
    EXPECT_EQ(UpperCaseUnit(0x3C3), 0x3A3u);

    // Upper cases that do not lower-case back are no pairs: the registry keeps these apart.
    const NamePair different[] = {
        {"\u03A3", "\u03C2"},          // Σ and final ς
        {"I", "\u0131"},               // dotless ı
        {"\u0130", "i"},               // İ
        {"S", "\u017F"},               // long ſ
        {"\u01C5", "\u01C6"},          // titlecase ǅ
        {"\u039C", "\u00B5"},          // Μ and the micro sign
        {"\u00DF", "SS"},              // ß has no upper case of one unit
        {"\u00DF", "\u1E9E"},          // and ẞ is not it
        {"\u4E2D", "\u4E2E"},          // no case at all
        {"\U00010400", "\U00010428"},  // Deseret: beyond the basic plane
        {"Ab", "Abc"},
    };
    for (const NamePair& p : different) {
        EXPECT_FALSE(SameName(p.a, p.b)) << p.a << " " << p.b;
    }
    EXPECT_EQ(NameKey("\u4E2D"), "\u4E2D");
    EXPECT_EQ(UpperCaseUnit(0x3C2), 0x3C2u);
    EXPECT_EQ(UpperCaseUnit(0xFFFF), 0xFFFFu);
}

TEST(NameCase, InvalidUtf8ComparesByteForByte) {
    const std::string broken[] = {"\xFF",         "a\xC3",        "\xC3(",
                                  "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                  "\x80z",        "\xF0\x9F\x98"};
    for (const std::string& s : broken) {
        EXPECT_TRUE(SameName(s, s));
        EXPECT_EQ(NameKey(s).size(), s.size());
    }
    EXPECT_EQ(NameKey("a\xC3"), "A\xC3");
    EXPECT_EQ(NameKey("\x80z"), "\x80Z");
    EXPECT_FALSE(SameName("\xC3", "\u00E9"));
    EXPECT_FALSE(SameName("\xFE", "\xFF"));
}

TEST(NameCase, PrefixLengthCountsTheBytesOfTheName) {
    // Ȿ (three bytes) is the same letter as ȿ (two bytes).
    EXPECT_EQ(NamePrefixLength("\u2C7Ex", "\u023F"), 3u);
    EXPECT_EQ(NamePrefixLength("C:\\\u00DCbung\\a.avi", "c:\\\u00FCbung\\"), 10u);
    EXPECT_EQ(NamePrefixLength("C:\\x", "C:\\xy"), std::nullopt);
    EXPECT_EQ(NamePrefixLength("anything", ""), 0u);
}

TEST(NameCase, TheMemoryStoreMatchesNamesAsTheRegistryDoes) {
    MemorySettingsStore store;
    store.SaveSetting("Scheme\u00DCbung", "\u03A3", "1");
    EXPECT_TRUE(store.HasSection("scheme\u00FCbung"));
    EXPECT_EQ(store.GetSetting("SCHEME\u00FCBUNG", "\u03C3", ""), "1");
    store.SaveSetting("scheme\u00FCbung", "\u03C3", "2");
    EXPECT_EQ(store.Count(), 1u);
    int values = 0;
    store.ForEachValue(
        [&](const std::string& section, const std::string& key, const std::string& text) {
            // The names keep the case they were first saved in.
            EXPECT_EQ(section, "Scheme\u00DCbung");
            EXPECT_EQ(key, "\u03A3");
            EXPECT_EQ(text, "2");
            ++values;
        });
    EXPECT_EQ(values, 1);
    store.DeleteSection("SCHEME\u00FCBUNG");
    EXPECT_EQ(store.Count(), 0u);
}

TEST(NameCase, SchemeNamesAndMediaFoldersIgnoreCaseBeyondAscii) {
    MemorySettingsStore store;
    EXPECT_TRUE(AddSchemeName(store, "\u00DCbung"));
    EXPECT_FALSE(AddSchemeName(store, "\u00FCbung"));
    EXPECT_TRUE(SameSchemeName("\u00DCbung", "\u00FCBUNG"));

    // Save As under the other spelling asks before it replaces, lists the name once, and
    // saves under the name as listed.
    std::string savedAs;
    const ExerciseTable table;
    int asked = 0;
    const auto no = [&] {
        ++asked;
        return false;
    };
    EXPECT_EQ(SaveSchemeAs(store, table, "\u00FCbung", no, savedAs), SaveAsResult::Kept);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(SaveSchemeAs(
                  store, table, "\u00FCbung", [] { return true; }, savedAs),
              SaveAsResult::Saved);
    EXPECT_EQ(savedAs, "\u00DCbung");
    EXPECT_EQ(ReadSchemeList(store, 0).size(), 1u);

    RemoveSchemeName(store, "\u00FCBUNG");
    EXPECT_TRUE(ReadSchemeList(store, 0).empty());

    // "Scheme" + "ſ" is a section of its own, not the list of names.
    EXPECT_TRUE(IsUsableSchemeName("\u017F"));
    EXPECT_FALSE(IsUsableSchemeName("S"));

    EXPECT_EQ(StoredMediaName("C:\\\u00DCbungen\\neck.avi", "c:\\\u00FCbungen"), "neck.avi");
    EXPECT_EQ(StoredMediaName("C:\\\u00DF\\neck.avi", "C:\\ss"), "C:\\\u00DF\\neck.avi");
}

}  // namespace
}  // namespace rilto
