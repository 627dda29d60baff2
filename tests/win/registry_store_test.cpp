// The registry settings store on the real registry of the Wine prefix: what it writes
// is checked with raw reads, and raw writes of other types are read through it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/name_case.h"
#include "common/product.h"
#include "common/registry_settings_store_win.h"
#include "common/wide_text_win.h"
#include "support/harness.h"

namespace rilto {
namespace {

constexpr char kDefault[] = "<default>";
// "Grüße" in UTF-8 and UTF-16.
constexpr char kGreeting[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e";
constexpr wchar_t kGreetingW[] = L"Gr\u00FC\u00DFe";

bool SectionExists(const std::wstring& section) {
    const std::wstring path = std::wstring(kStoreRootW) + L"\\" + section;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { harness::ClearStore(); }
    void TearDown() override { harness::ClearStore(); }

    void WriteDword(const wchar_t* key, DWORD value) {
        harness::WriteSettingBytes(L"Options", key, &value, sizeof value, REG_DWORD);
    }

    RegistrySettingsStore store;
};

TEST_F(RegistryStoreTest, TextRoundTripsAndIsStoredAsUtf16) {
    store.SaveSetting("Options", "plain", "42");
    store.SaveSetting("Options", "empty", "");
    store.SaveSetting("Options", "greeting", kGreeting);
    EXPECT_EQ(store.GetSetting("Options", "plain", kDefault), "42");
    EXPECT_EQ(store.GetSetting("Options", "empty", kDefault), "");
    EXPECT_EQ(store.GetSetting("Options", "greeting", kDefault), kGreeting);
    // Other programs read the value as wide text, so it must not hold UTF-8 bytes.
    EXPECT_EQ(harness::ReadSetting(L"Options", L"greeting"), std::wstring(kGreetingW));
    EXPECT_EQ(harness::ReadSetting(L"Options", L"empty"), std::wstring());

    store.SaveSetting("Options", "plain", "7");
    EXPECT_EQ(store.GetSetting("Options", "plain", kDefault), "7");
}

TEST_F(RegistryStoreTest, OtherValueTypesReadAsText) {
    const std::wstring expand = L"%SystemRoot%\\x";
    harness::WriteSettingBytes(L"Options", L"expand", expand.c_str(),
                               static_cast<DWORD>((expand.size() + 1) * sizeof(wchar_t)),
                               REG_EXPAND_SZ);
    WriteDword(L"fifteen", 15);
    WriteDword(L"zero", 0);
    WriteDword(L"max", 0xFFFFFFFF);
    // Bytes that would read as "12" if the type were ignored.
    const wchar_t binary[] = L"12";
    harness::WriteSettingBytes(L"Options", L"binary", binary, sizeof binary, REG_BINARY);

    EXPECT_EQ(store.GetSetting("Options", "expand", kDefault), "%SystemRoot%\\x");
    EXPECT_EQ(store.GetSetting("Options", "fifteen", kDefault), "15");
    EXPECT_EQ(store.GetSetting("Options", "zero", kDefault), "0");
    EXPECT_EQ(store.GetSetting("Options", "max", kDefault), "4294967295");
    EXPECT_EQ(store.GetSetting("Options", "binary", kDefault), kDefault);
}

TEST_F(RegistryStoreTest, MissingValueOrSectionGivesDefault) {
    store.SaveSetting("Options", "present", "1");
    EXPECT_EQ(store.GetSetting("Options", "absent", kDefault), kDefault);
    EXPECT_EQ(store.GetSetting("Elsewhere", "present", kDefault), kDefault);
    EXPECT_EQ(store.GetSetting("Elsewhere", "present", -5), "-5");
}

TEST_F(RegistryStoreTest, NamesMatchRegardlessOfCase) {
    store.SaveSetting("Options", "Tray", "1");
    EXPECT_EQ(store.GetSetting("OPTIONS", "tRAY", kDefault), "1");
    store.SaveSetting("options", "TRAY", "2");
    EXPECT_EQ(harness::ReadSetting(L"Options", L"Tray"), std::wstring(L"2"));
    store.DeleteSetting("OPTIONS", "tray");
    EXPECT_EQ(harness::ReadSetting(L"Options", L"Tray"), std::nullopt);
}

TEST_F(RegistryStoreTest, SaveCreatesSectionAndDeletesRemoveOnlyTheirTarget) {
    ASSERT_FALSE(harness::StoreExists());
    store.SaveSetting("Options", "a", "1");
    EXPECT_TRUE(SectionExists(L"Options"));
    store.SaveSetting("Options", "b", "2");
    store.SaveSetting("Times", "c", "3");
    EXPECT_EQ(harness::ReadSetting(L"Options", L"a"), std::wstring(L"1"));

    store.DeleteSetting("Options", "a");
    EXPECT_EQ(harness::ReadSetting(L"Options", L"a"), std::nullopt);
    EXPECT_EQ(harness::ReadSetting(L"Options", L"b"), std::wstring(L"2"));

    store.DeleteSection("Options");
    EXPECT_FALSE(SectionExists(L"Options"));
    EXPECT_EQ(store.GetSetting("Options", "b", kDefault), kDefault);
    EXPECT_TRUE(SectionExists(L"Times"));
    EXPECT_EQ(harness::ReadSetting(L"Times", L"c"), std::wstring(L"3"));
    // Saving again re-creates the removed section.
    store.SaveSetting("Options", "b", "4");
    EXPECT_EQ(harness::ReadSetting(L"Options", L"b"), std::wstring(L"4"));
}

// Key and value names ignore case beyond ASCII: the section and the value written as
// "Übung" are found as "übung".
TEST_F(RegistryStoreTest, NamesMatchRegardlessOfCaseBeyondAscii) {
    store.SaveSetting("Scheme\u00DCbung", "\u03A3", "1");
    EXPECT_EQ(store.GetSetting("scheme\u00FCbung", "\u03C3", kDefault), "1");
    EXPECT_EQ(harness::ReadSetting(L"SCHEME\u00DCBUNG", L"\u03C3"), std::wstring(L"1"));
    store.DeleteSection("SCHEME\u00FCBUNG");
    EXPECT_FALSE(SectionExists(L"Scheme\u00DCbung"));
}

// The program's own comparison of names says what the registry says, for a sample of
// letters with and without a case pair.
TEST_F(RegistryStoreTest, TheProgramFoldsNamesAsTheRegistryDoes) {
    const char* const names[][2] = {
        {"\u00DC", "\u00FC"}, {"\u03A3", "\u03C3"}, {"\u03A3", "\u03C2"},
        {"\u039C", "\u00B5"}, {"\u01C4", "\u01C6"}, {"\u13A0", "\uAB70"},
        {"\u2C7E", "\u023F"}, {"\u03A9", "\u03C9"}, {"\u042F", "\u044F"},
        {"\u0531", "\u0561"}, {"\u1C90", "\u10D0"}, {"\u01C5", "\u01C6"},
        {"\u1F88", "\u1F80"}, {"\uFF21", "\uFF41"}, {"\u0130", "i"},
        {"\u0131", "I"},      {"\u017F", "S"},      {"\u00DF", "SS"},
        {"\u00DF", "\u1E9E"}, {"\u4E2D", "\u4E2E"}, {"\U00010400", "\U00010428"}};
    for (const auto& pair : names) {
        harness::DeleteSection(L"Fold");
        harness::WriteSetting(L"Fold", Widen(pair[0]), L"x");
        const bool registry = harness::ReadSetting(L"Fold", Widen(pair[1])).has_value();
        EXPECT_EQ(SameName(pair[0], pair[1]), registry) << pair[0] << " " << pair[1];
    }
}

}  // namespace
}  // namespace rilto
