#include "shell/first_run.h"

#include <gtest/gtest.h>

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

    std::optional<std::string> ReadEnvironment(const std::string& name) override {
        return name == "windir" ? windir : std::nullopt;
    }
    bool IsOrdinaryFile(const std::string& path) override { return files.count(path) != 0; }
    void RemoveFile(const std::string& path) override {
        removed.push_back(path);
        files.erase(path);
    }
    void ShellAndWait(const std::string& commandLine) override { commands.push_back(commandLine); }
    std::string ProgramFolder() override { return folder; }
};

TEST(FirstRun, ImportsDefaultsStartsCompanionAndRemembersIt) {
    MemorySettingsStore store;
    FakeHost host;
    host.files = {"C:\\WINDOWS\\regedit.exe"};
    FirstTimeInitialise(store, host);
    ASSERT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(host.commands[0],
              "\"C:\\WINDOWS\\regedit.exe\" /s \"C:\\Program Files\\Rilto\\rilto32.reg\"");
    EXPECT_EQ(host.commands[1], "\"C:\\Program Files\\Rilto\\riltomultimedia.exe\"");
    EXPECT_EQ(store.GetSetting("Options", "Initialised", ""), "1");

    // The next start does nothing.
    FirstTimeInitialise(store, host);
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
