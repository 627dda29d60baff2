#include "shell/registry_file.h"

#include <gtest/gtest.h>

#include <string>

#include "common/memory_settings_store.h"

namespace rilto {
namespace {

const std::string kStore =
    "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Rilto Micropause";

// A REGEDIT4 file with CRLF line ends.
std::string Reg4(std::initializer_list<std::string> lines) {
    std::string file = "REGEDIT4\r\n";
    for (const std::string& line : lines) {
        file += line + "\r\n";
    }
    return file;
}

// The text as the newer registry editor saves it: UTF-16LE after a byte order mark.
std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t u : text) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

TEST(RegistryFile, SavesTextAndDwordValuesOfTheStoresSections) {
    MemorySettingsStore store;
    const std::string file = Reg4({
        "; the defaults",
        "",
        "[" + kStore + "\\Micropause]",
        R"("Warning"="Say \"stop\" at C:\\temp\\")",
        R"("Na\"me"="x")",
        "[hkey_current_user\\software\\vb and vba program settings\\rilto micropause\\Options]",
        R"("Fifteen"=dword:0000000f)",
        R"("Largest"=dword:FFFFFFFF)",
    });
    EXPECT_EQ(ImportRegistryFile(file, store), 4);
    EXPECT_EQ(store.GetSetting("Micropause", "Warning", ""), R"(Say "stop" at C:\temp\)");
    EXPECT_EQ(store.GetSetting("Micropause", "Na\"me", ""), "x");
    EXPECT_EQ(store.GetSetting("Options", "Fifteen", ""), "15");
    EXPECT_EQ(store.GetSetting("Options", "Largest", ""), "4294967295");
}

TEST(RegistryFile, ChangesNothingOutsideTheStoresSections) {
    MemorySettingsStore store;
    store.SaveSetting("Options", "Kept", "yes");
    const std::string file = Reg4({
        R"("BeforeAnyKey"="x")",
        "[HKEY_LOCAL_MACHINE\\Software\\VB and VBA Program Settings\\Rilto Micropause\\Options]",
        R"("Machine"="x")",
        "[HKEY_CURRENT_USER\\Software\\Other\\Options]",
        R"("Other"="x")",
        "[" + kStore + "\\Micropause\\Deeper]",
        R"("Deeper"="x")",
        "[" + kStore + "]",
        R"("Root"="x")",
        "[" + kStore + "X\\Options]",
        R"("Lookalike"="x")",
        "[-HKEY_LOCAL_MACHINE\\Software\\VB and VBA Program Settings\\Rilto Micropause\\Options]",
        "[-" + kStore + "]",
        // An own section, then a foreign one: its values stay out of the own section.
        "[" + kStore + "\\Options]",
        "[HKEY_CURRENT_USER\\Software\\Other]",
        R"("AfterOwn"="x")",
    });
    EXPECT_EQ(ImportRegistryFile(file, store), 0);
    EXPECT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.GetSetting("Options", "Kept", ""), "yes");
}

TEST(RegistryFile, DeletesValuesAndWholeSections) {
    MemorySettingsStore store;
    store.SaveSetting("Options", "Gone", "1");
    store.SaveSetting("Options", "Stays", "1");
    store.SaveSetting("Exercise", "Any", "1");
    const std::string file = Reg4({
        "[-" + kStore + "\\Exercise]",
        R"("Any"="back")",  // no section is open after a deletion
        "[" + kStore + "\\Options]",
        R"("Gone"=-)",
    });
    EXPECT_EQ(ImportRegistryFile(file, store), 2);
    EXPECT_FALSE(store.HasSection("Exercise"));
    EXPECT_FALSE(store.Has("Options", "Gone"));
    EXPECT_TRUE(store.Has("Options", "Stays"));
}

TEST(RegistryFile, ReadsEveryEncodingTheEditorsWrite) {
    // UTF-16LE with LF line ends, a character beyond the BMP as a surrogate pair.
    MemorySettingsStore store;
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\n\n"
        u"[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\"
        u"Rilto Micropause\\Micropause]\n"
        u"\"Warning\"=\"Pause \u00e9 \U0001F600\"\n";
    EXPECT_EQ(ImportRegistryFile(Utf16Le(text), store), 1);
    EXPECT_EQ(store.GetSetting("Micropause", "Warning", ""), "Pause \xC3\xA9 \xF0\x9F\x98\x80");

    // UTF-8 with and without its mark is kept; bytes that are no UTF-8 are Latin-1.
    const std::string line = "[" + kStore + "\\Micropause]";
    for (const auto& [file, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"\xEF\xBB\xBF" + Reg4({line, "\"Warning\"=\"caf\xC3\xA9\""}), "caf\xC3\xA9"},
             {Reg4({line, "\"Warning\"=\"caf\xC3\xA9\""}), "caf\xC3\xA9"},
             {Reg4({line, "\"Warning\"=\"caf\xE9\""}), "caf\xC3\xA9"},
             {Reg4({line, "\"Warning\"=\"\xC3\""}), "\xC3\x83"},
             {Reg4({line, "\"Warning\"=\"\xC0\xAF\""}), "\xC3\x80\xC2\xAF"},  // overlong '/'
         }) {
        MemorySettingsStore s;
        EXPECT_EQ(ImportRegistryFile(file, s), 1);
        EXPECT_EQ(s.GetSetting("Micropause", "Warning", ""), expected);
    }
}

TEST(RegistryFile, SkipsBinaryValuesWithTheirContinuationLines) {
    MemorySettingsStore store;
    const std::string file = Reg4({
        "[" + kStore + "\\Options]",
        R"("Bin"=hex:01,02,\)",
        "  03,04,\\",
        "  05",
        R"("After"="x")",
        R"(@=hex(2):41,00,\)",
        "  00,00",
        R"("AfterDefault"="x")",
        R"("One"=hex:01)",
        R"("AfterOne"="x")",
        // Cut short by a key line: the foreign key's values go nowhere.
        R"("Cut"=hex:01,\)",
        "[HKEY_CURRENT_USER\\Software\\Other]",
        R"("Foreign"="x")",
    });
    EXPECT_EQ(ImportRegistryFile(file, store), 3);
    EXPECT_TRUE(store.Has("Options", "After"));
    EXPECT_TRUE(store.Has("Options", "AfterDefault"));
    EXPECT_TRUE(store.Has("Options", "AfterOne"));
    EXPECT_EQ(store.Count(), 3u);
}

TEST(RegistryFile, IgnoresMalformedLinesAndDefaultValues) {
    MemorySettingsStore store;
    const std::string file = Reg4({
        "[" + kStore + "\\Options]",
        R"("Escaped"="ends in \")",
        R"("Trailing"="x" y)",
        R"("Long"=dword:100000000)",
        R"("NotHex"=dword:0000000g)",
        R"(""="default")",
        R"(@="default")",
        "garbage",
        R"("Open"="no end\)",  // binary data alone runs on over the next line
        R"("Good"="x")",
        "[" + kStore + "\\Micropause",
        R"("Unopened"="x")",
    });
    EXPECT_EQ(ImportRegistryFile(file, store), 1);
    EXPECT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.GetSetting("Options", "Good", ""), "x");
}

TEST(RegistryFile, ImportsNothingWithoutTheEditorsHeader) {
    const std::string body = "\r\n[" + kStore + "\\Options]\r\n\"A\"=\"x\"\r\n";
    for (const std::string header :
         {"REGEDIT5", "Windows Registry Editor Version 6.00", "", "; REGEDIT4"}) {
        MemorySettingsStore store;
        EXPECT_EQ(ImportRegistryFile(header + body, store), 0) << header;
        EXPECT_EQ(store.Count(), 0u) << header;
    }
    // The header must be the first line.
    MemorySettingsStore store;
    EXPECT_EQ(ImportRegistryFile("\r\nREGEDIT4" + body, store), 0);
}

}  // namespace
}  // namespace rilto
