#include "shell/first_run.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "common/memory_settings_store.h"

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
        return editorStarts || commandLine.find("regedit.exe") == std::string::npos;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        reads.push_back(path);
        const auto f = contents.find(path);
        return f == contents.end() ? std::nullopt : std::optional<std::string>(f->second);
    }
    std::string ProgramFolder() override { return folder; }
};

constexpr char kDefaults[] = "C:\\Program Files\\Rilto\\rilto32.reg";
constexpr char kDefaultsText[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Rilto Micropause\\Micropause]\r\n"
    "\"Warning\"=\"Imported\"\r\n";

TEST(FirstRun, ImportsDefaultsStartsCompanionAndRemembersIt) {
    MemorySettingsStore store;
    FakeHost host;
    host.files = {"C:\\WINDOWS\\regedit.exe"};
    host.contents[kDefaults] = kDefaultsText;
    FirstTimeInitialise(store, host);
    // The editor ran: the import is its work alone.
    EXPECT_TRUE(host.reads.empty());
    EXPECT_FALSE(store.Has("Micropause", "Warning"));
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
