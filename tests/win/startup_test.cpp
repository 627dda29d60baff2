// Start-up, first run and the second-start protocol of rilto32, observed from
// outside as another program on the same desktop would.

#include <gtest/gtest.h>

#include <string>

#include "engine/frm_rilto_ids.h"
#include "shell/resource.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr DWORD kExitWait = 15000;
constexpr wchar_t kAlreadyRunning[] = L"Rilto Micropause is already running in the System Tray";

// The text of the "already running" box of a second copy, which the test then closes.
std::wstring TakeMessageBox(const Process& p) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindProcessWindow(p.Id(), L"Rilto")) != nullptr; }, 15000);
    if (box == nullptr) {
        return L"(no message box)";
    }
    // The box may be found before its text is in place.
    std::wstring text;
    WaitUntil(
        [&] {
            for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                if (ClassOf(c) == L"Static" && !TextOf(c).empty()) {
                    text = TextOf(c);
                }
            }
            return !text.empty();
        },
        5000);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The missing-media notice of the companion program, from whichever process shows it:
// its text, after closing it; empty when none comes within `ms`.
std::wstring TakeMediaNotice(DWORD ms) {
    const std::wstring title = L"Rilto Micropause: exercise files missing";
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindWindowW(L"#32770", title.c_str())) != nullptr; }, ms);
    if (box == nullptr) {
        return L"";
    }
    std::wstring text;
    WaitUntil(
        [&] {
            text = TextOf(GetDlgItem(box, 0xFFFF));
            return !text.empty();
        },
        5000);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    return text;
}

class Startup : public ::testing::Test {
  protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override {
        StopRilto(running_);
        ClearStore();
    }
    Process running_;
};

TEST_F(Startup, FirstStartPublishesItsHookWindowAndHidesFromTheTaskList) {
    running_ = StartRilto();
    ASSERT_TRUE(running_.Running());
    const auto tray = ReadSetting(L"Options", L"tray");
    ASSERT_TRUE(tray.has_value());
    EXPECT_NE(*tray, L"0");
    EXPECT_EQ(tray->find_first_not_of(L"0123456789"), std::wstring::npos) << *tray;

    const HWND hook = TrayWindow();
    ASSERT_TRUE(IsWindow(hook));
    EXPECT_EQ(ClassOf(hook), L"RiltoMicropauseHook");
    EXPECT_EQ(ReadSetting(L"Options", L"Initialised"), L"1");
    EXPECT_EQ(ReadSetting(L"Options", L"AppPath"), BinDir());

    // The main form stays hidden and shows no task-bar button.
    const HWND form = GetAncestor(hook, GA_ROOT);
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    const HWND version = GetDlgItem(GetDlgItem(form, IDC_PICBLACK), IDC_LBLVERSION);
    wchar_t text[64] = L"";
    GetWindowTextW(version, text, 64);
    const std::wstring expected = std::to_wstring(RILTO_VERSION_MAJOR) + L"." +
                                  std::to_wstring(RILTO_VERSION_MINOR) + L"." +
                                  std::to_wstring(RILTO_VERSION_REVISION);
    EXPECT_EQ(text, expected);
}

TEST_F(Startup, SecondStartWithShutdownInAnyCaseEndsTheRunningCopy) {
    for (const wchar_t* word : {L"shutdown", L"SHUTDOWN", L"ShutDown"}) {
        running_ = StartRilto();
        ASSERT_TRUE(running_.Running()) << word;
        const HWND hook = TrayWindow();
        const std::wstring published = Decimal(hook);

        Process second(BinPath(L"rilto32.exe"), word);
        EXPECT_EQ(second.WaitExit(kExitWait), 0u) << word;
        EXPECT_TRUE(running_.WaitExit(kExitWait).has_value()) << word;
        EXPECT_FALSE(IsWindow(hook)) << word;
        // An immediate end: "tray" keeps the old handle.
        EXPECT_EQ(ReadSetting(L"Options", L"tray"), published) << word;
    }
}

TEST_F(Startup, FirstStartWithShutdownTouchesNoSetting) {
    Process p(BinPath(L"rilto32.exe"), L"shutdown");
    EXPECT_EQ(p.WaitExit(kExitWait), 0u);
    EXPECT_FALSE(StoreExists());
}

TEST_F(Startup, SecondStartWithoutAUsableHandleSaysItIsAlreadyRunning) {
    running_ = StartRilto();
    ASSERT_TRUE(running_.Running());
    for (int variant = 0; variant < 2; ++variant) {
        if (variant == 0) {
            WriteSetting(L"Options", L"tray", L"0");
        } else {
            DeleteSetting(L"Options", L"tray");
        }
        Process second(BinPath(L"rilto32.exe"), L"shutdown");
        EXPECT_EQ(TakeMessageBox(second), kAlreadyRunning) << variant;
        EXPECT_EQ(second.WaitExit(kExitWait), 0u) << variant;
        EXPECT_TRUE(running_.Running()) << variant;
    }
}

TEST_F(Startup, AStaleHandleOfAnotherProgramsWindowReceivesNothing) {
    running_ = StartRilto();
    ASSERT_TRUE(running_.Running());
    OtherProgramWindow foreign;
    WriteSetting(L"Options", L"tray", Decimal(foreign.hwnd()));

    Process second(BinPath(L"rilto32.exe"), L"shutdown");
    EXPECT_EQ(TakeMessageBox(second), kAlreadyRunning);
    EXPECT_EQ(second.WaitExit(kExitWait), 0u);
    PumpFor(200);
    EXPECT_EQ(foreign.AllKeyDowns(), 0);
    EXPECT_TRUE(running_.Running());
}

// First run, from a program folder whose path has spaces in it.
class FirstRun : public Startup {
  protected:
    void SetUp() override {
        Startup::SetUp();
        folder_ = L"C:\\rilto first run\\Program Files";
        CreateDirectoryW(L"C:\\rilto first run", nullptr);
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (const wchar_t* f : {L"rilto32.exe", L"riltomultimedia.exe"}) {
            ASSERT_TRUE(CopyFileW(BinPath(f).c_str(), (folder_ + L"\\" + f).c_str(), FALSE)) << f;
        }
        // Default settings that say they were imported.
        const char reg[] =
            "REGEDIT4\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Rilto Micropause\\"
            "Micropause]\r\n\"Warning\"=\"Imported\"\r\n\r\n";
        const HANDLE f = CreateFileW((folder_ + L"\\rilto32.reg").c_str(), GENERIC_WRITE, 0,
                                     nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, reg, sizeof reg - 1, &written, nullptr);
        CloseHandle(f);
    }
    void TearDown() override {
        // The folder has no exercise media: the companion program, run at first start,
        // says so from a copy of its own, which ends when the notice is closed.
        if (noticeDue_) {
            for (DWORD wait = 15000; !TakeMediaNotice(wait).empty(); wait = 2000) {
            }
            PumpFor(500);
        }
        Startup::TearDown();
    }
    Process Start() { return StartRiltoAt(folder_ + L"\\rilto32.exe", L""); }
    // The copy inherits an environment without "windir", so it finds no registry editor
    // to run: the system's path is then "\regedit.exe" and the folder ships none.
    Process StartWithoutEditor() {
        wchar_t windir[MAX_PATH] = L"";
        const DWORD n = GetEnvironmentVariableW(L"windir", windir, MAX_PATH);
        SetEnvironmentVariableW(L"windir", nullptr);
        Process p = Start();
        if (n > 0 && n < MAX_PATH) {
            SetEnvironmentVariableW(L"windir", windir);
        }
        return p;
    }
    std::wstring folder_;
    bool noticeDue_ = true;
};

TEST_F(FirstRun, RunsOncePerUserAndAgainWhenInitialisedIsNotExactlyOne) {
    running_ = Start();
    ASSERT_TRUE(running_.Running());
    EXPECT_EQ(ReadSetting(L"Options", L"Initialised"), L"1");
    EXPECT_EQ(ReadSetting(L"Micropause", L"Warning"), L"Imported");
    // The companion program ran from the folder with spaces.
    EXPECT_TRUE(ReadSetting(L"Options", L"AviVideo").has_value());
    EXPECT_EQ(ReadSetting(L"Options", L"AppPath"), folder_);
    StopRilto(running_);

    // A second start-up does not run it again.
    DeleteSetting(L"Micropause", L"Warning");
    DeleteSetting(L"Options", L"AviVideo");
    running_ = Start();
    ASSERT_TRUE(running_.Running());
    EXPECT_FALSE(ReadSetting(L"Micropause", L"Warning").has_value());
    EXPECT_FALSE(ReadSetting(L"Options", L"AviVideo").has_value());
    StopRilto(running_);

    WriteSetting(L"Options", L"Initialised", L"yes");
    running_ = Start();
    ASSERT_TRUE(running_.Running());
    EXPECT_EQ(ReadSetting(L"Micropause", L"Warning"), L"Imported");
    EXPECT_EQ(ReadSetting(L"Options", L"Initialised"), L"1");
}

// The companion ends at once, and tells the user from a copy of its own which exercise
// files the stored schemes name but the folder lacks; with nothing missing it says
// nothing.
TEST_F(FirstRun, TheCompanionTellsOnceWhichExerciseFilesAreMissing) {
    WriteSetting(L"Schemes", L"Num", L"1");
    WriteSetting(L"Schemes", L"1", L"Mine");
    WriteSetting(L"SchemeMine", L"Num", L"2");
    WriteSetting(L"SchemeMine", L"1", L"neck stretch.avi");
    WriteSetting(L"SchemeMine", L"2", L"notes.txt");
    Process companion(folder_ + L"\\riltomultimedia.exe", L"");
    EXPECT_EQ(companion.WaitExit(kExitWait), 0u);
    const std::wstring notice = TakeMediaNotice(15000);
    EXPECT_NE(notice.find(folder_ + L"\\neck stretch.avi"), std::wstring::npos) << notice;
    EXPECT_NE(notice.find(folder_ + L"\\title.avi"), std::wstring::npos) << notice;
    EXPECT_EQ(notice.find(L"notes.txt"), std::wstring::npos) << notice;
    EXPECT_NE(notice.find(L"install Rilto Micropause again"), std::wstring::npos) << notice;

    // Beside the build's media every file is there.
    WriteSetting(L"SchemeMine", L"1", L"neckturn.avi");
    Process quiet(BinPath(L"riltomultimedia.exe"), L"");
    EXPECT_EQ(quiet.WaitExit(kExitWait), 0u);
    EXPECT_EQ(TakeMediaNotice(3000), L"");
    noticeDue_ = false;
}

TEST_F(FirstRun, ImportsTheDefaultsItselfWhenNoRegistryEditorCanStart) {
    for (const std::wstring& editor :
         {std::wstring(L"\\regedit.exe"), folder_ + L"\\regedit.exe"}) {
        ASSERT_EQ(GetFileAttributesW(editor.c_str()), INVALID_FILE_ATTRIBUTES) << editor;
    }
    running_ = StartWithoutEditor();
    ASSERT_TRUE(running_.Running());
    EXPECT_EQ(ReadSetting(L"Micropause", L"Warning"), L"Imported");
    EXPECT_EQ(ReadSetting(L"Options", L"Initialised"), L"1");
}

// Each program asks for no elevation and draws itself at each monitor's own DPI.
TEST(Manifests, EveryProgramRunsAsInvokerAtEachMonitorsDpi) {
    for (const wchar_t* program :
         {L"rilto32.exe", L"shutdowntrigger.exe", L"riltoctl.exe", L"riltomultimedia.exe"}) {
        const HMODULE exe =
            LoadLibraryExW(BinPath(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(exe, nullptr) << program;
        const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
        ASSERT_NE(found, nullptr) << program;
        const auto* text = static_cast<const char*>(LockResource(LoadResource(exe, found)));
        const std::string manifest(text, SizeofResource(exe, found));
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << program;
        EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string::npos) << program;
        EXPECT_NE(manifest.find(">true/pm<"), std::string::npos) << program;
        FreeLibrary(exe);
    }
}

}  // namespace
