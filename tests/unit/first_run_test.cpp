#include "shell/first_run.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "common/memory_settings_store.h"
#include "shell/registry_file.h"

namespace rilto {
namespace {

class FakeHost : public FirstRunHost {
  public:
    std::optional<std::string> windir = "C:\\WINDOWS";
    std::string folder = "C:\\Program Files\\Rilto";
    std::set<std::string> files;
    std::vector<std::string> removed;
    std::vector<std::string> commands;
    bool editorStarts = true;
    std::map<std::string, std::string> contents;
    std::vector<std::string> reads;
    // Where the registry editor imports the file; none when it imports nothing.
    SettingsStore* editorImportsInto = nullptr;

    std::optional<std::string> ReadEnvironment(const std::string& name) override {
        return name == "windir" ? windir : std::nullopt;
    }
    bool IsOrdinaryFile(const std::string& path) override { return files.count(path) != 0; }
    void RemoveFile(const std::string& path) override {
        removed.push_back(path);
        files.erase(path);
    }
    bool ShellAndWait(const std::string& commandLine) override {
        commands.push_back(commandLine);
        const bool editor = commandLine.find("regedit.exe") != std::string::npos;
        if (editor && editorStarts && editorImportsInto != nullptr) {
            for (const auto& [path, text] : contents) {
                ImportRegistryFile(text, *editorImportsInto);
            }
        }
        return editorStarts || !editor;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        reads.push_back(path);
        const auto f = contents.find(path);
        return f == contents.end() ? std::nullopt : std::optional<std::string>(f->second);
    }
    std::string ProgramFolder() override { return folder; }
};

// Counts the values saved, to tell whether the file was imported a second time.
class CountingStore : public MemorySettingsStore {
  public:
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        ++saves;
        MemorySettingsStore::SaveSetting(section, key, text);
    }
    int saves = 0;
};

constexpr char kDefaults[] = "C:\\Program Files\\Rilto\\rilto32.reg";
constexpr char kDefaultsText[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Rilto Micropause\\Micropause]\r\n"
    "\"Warning\"=\"Imported\"\r\n";

TEST(FirstRun, ImportsDefaultsStartsCompanionAndRemembersIt) {
    CountingStore store;
    FakeHost host;
    host.files = {"C:\\WINDOWS\\regedit.exe"};
    host.contents[kDefaults] = kDefaultsText;
    host.editorImportsInto = &store;
    FirstTimeInitialise(store, host);
    // The editor imported the file: the program only remembers that it ran.
    EXPECT_EQ(store.GetSetting("Micropause", "Warning", ""), "Imported");
    EXPECT_EQ(store.saves, 2);
    ASSERT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(host.commands[0],
              "\"C:\\WINDOWS\\regedit.exe\" /s \"C:\\Program Files\\Rilto\\rilto32.reg\"");
    EXPECT_EQ(host.commands[1], "\"C:\\Program Files\\Rilto\\riltomultimedia.exe\"");
    EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");

    // The next start does nothing.
    FirstTimeInitialise(store, host);
    EXPECT_EQ(host.commands.size(), 2u);
}

TEST(FirstRun, ImportsTheDefaultsItselfWhenTheEditorCannotStart) {
    MemorySettingsStore store;
    FakeHost host;
    host.editorStarts = false;
    host.contents[kDefaults] = kDefaultsText;
    FirstTimeInitialise(store, host);
    EXPECT_EQ(host.reads, std::vector<std::string>{kDefaults});
    EXPECT_EQ(store.GetSetting("Micropause", "Warning", ""), "Imported");
    ASSERT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(host.commands[1], "\"C:\\Program Files\\Rilto\\riltomultimedia.exe\"");
    EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");
}

// A policy that disables registry tools lets the editor start and import nothing.
TEST(FirstRun, ImportsTheDefaultsItselfWhenTheEditorImportedNothing) {
    MemorySettingsStore store;
    FakeHost host;
    host.contents[kDefaults] = kDefaultsText;
    FirstTimeInitialise(store, host);
    EXPECT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(store.GetSetting("Micropause", "Warning", ""), "Imported");
    EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");

    // A value of the file that holds other text has not arrived either.
    store.SaveSetting("Micropause", "Warning", "Mine");
    EXPECT_FALSE(HoldsRegistryFile(store, kDefaultsText));
    store.SaveSetting("MICROPAUSE", "warning", "Imported");
    EXPECT_TRUE(HoldsRegistryFile(store, kDefaultsText));
}

TEST(FirstRun, AnUnreadableDefaultsFileStillCountsAsInitialised) {
    MemorySettingsStore store;
    FakeHost host;
    host.editorStarts = false;
    FirstTimeInitialise(store, host);
    EXPECT_EQ(host.reads.size(), 1u);
    EXPECT_EQ(store.Count(), 1u);
    EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");
    EXPECT_EQ(host.commands.size(), 2u);
}

TEST(FirstRun, RunsAgainUnlessInitialisedIsExactlyOne) {
    for (const char* stored : {"yes", " 1", "1 ", "01", "0", ""}) {
        MemorySettingsStore store;
        store.SaveSetting("Options", "Initialised", stored);
        FakeHost host;
        FirstTimeInitialise(store, host);
        EXPECT_EQ(host.commands.size(), 2u) << '"' << stored << '"';
        EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");
    }
}

TEST(FirstRun, UsesTheShippedEditorWhenWindowsHasNone) {
    MemorySettingsStore store;
    FakeHost host;
    host.windir.reset();  // no "windir": the system path is just "\regedit.exe"
    FirstTimeInitialise(store, host);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands[0].rfind("\"C:\\Program Files\\Rilto\\regedit.exe\" /s ", 0), 0u)
        << host.commands[0];
    EXPECT_TRUE(host.removed.empty());

    host.files = {"\\regedit.exe"};
    EXPECT_EQ(PickRegistryEditor(host), "\\regedit.exe");
}

TEST(FirstRun, DeletesTheShippedEditorWhenWindowsHasOne) {
    FakeHost host;
    host.files = {"C:\\WINDOWS\\regedit.exe", "C:\\Program Files\\Rilto\\regedit.exe"};
    EXPECT_EQ(PickRegistryEditor(host), "C:\\WINDOWS\\regedit.exe");
    EXPECT_EQ(host.removed, std::vector<std::string>{"C:\\Program Files\\Rilto\\regedit.exe"});
}

TEST(FirstRun, ARootProgramFolderGetsNoDoubledBackslash) {
    EXPECT_EQ(CompanionCommandLine("D:\\"), "\"D:\\riltomultimedia.exe\"");
    EXPECT_EQ(ImportCommandLine("C:\\W\\regedit.exe", "D:\\"),
              "\"C:\\W\\regedit.exe\" /s \"D:\\rilto32.reg\"");
}

}  // namespace
}  // namespace rilto
