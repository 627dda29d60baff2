// The README's pictures, taken from the real programs of this build: each test below
// brings one window (or a few, one after another) onto the bare screen and saves it under
// build/screenshots; scripts/make-screenshots.py then cuts each down to its window.
// Run by `make pictures`, not by `make test`: it checks nothing a test does not.
//
// The store starts empty and the program's first run imports the default settings, so the
// menus show the schemes a new user sees.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "settings/frm_settings_ids.h"
#include "support/settings_window.h"
#include "tools/input_sender.h"

namespace harness {
namespace {

constexpr DWORD kWait = kShowWait;
// What each page of the options is called in the pictures' names, page by page.
const wchar_t* const kPageNames[] = {
    L"settings-micropauses", L"settings-exercise-breaks", L"settings-exercise-schemes",
    L"settings-holds",       L"settings-schedule",        L"settings-keys",
};
// Each page's own window, page by page.
const int kPageIds[] = {IDC_PICTS0, IDC_PICTS1, IDC_PICTS2, IDC_PICTS3, IDC_PICTS4, IDC_PICTS5};

// A month of working days as a user might have had them, today's among them.
void WriteAMonthOfFigures() {
    for (int daysAgo = 0; daysAgo < 30; ++daysAgo) {
        const SYSTEMTIME day = LocalDay(daysAgo);
        if (day.wDayOfWeek == 0 || day.wDayOfWeek == 6) {
            continue;  // a weekend
        }
        const int n = 9 + (daysAgo * 7) % 8;
        wchar_t text[128];
        swprintf(text, 128,
                 L"micropauses=%d;skipped=%d;natural=%d;exercises=%d;postponed=%d;"
                 L"activeMinutes=%d",
                 n, daysAgo % 3, 3 + daysAgo % 4, 2 + daysAgo % 2, daysAgo % 2,
                 300 + (daysAgo * 37) % 150);
        WriteSetting(L"Statistics", LocalDate(daysAgo), text);
    }
}

class Pictures : public SettingsWindowTest {
  protected:
    void SetUp() override {
        SettingsWindowTest::SetUp();
        // The micropause screen in the middle of the screen, clear of the tray.
        WriteSetting(L"Micropause", L"Blank", L"0");
    }
    void TearDown() override {
        CloseMenus();
        SettingsWindowTest::TearDown();
    }
    // The program's tray menu, opened with a right click on its icon as the user opens it.
    HWND OpenTrayMenu() {
        HWND menu = nullptr;
        for (int attempt = 0; attempt < 5 && menu == nullptr; ++attempt) {
            const POINT at = TrayIconCentre();
            ClickAt(at.x, at.y, true);
            WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, 3000);
        }
        PumpFor(500);
        return menu;
    }
    void CloseMenus() {
        if (FindMenuWindow(running_.Id()) != nullptr) {
            PressAtMenu(running_.Id(), VK_ESCAPE,
                        [&] { return FindMenuWindow(running_.Id()) == nullptr; });
        }
    }
    // The tray menu as it is now, saved as `name`, and closed again.
    void TakeTrayMenu(const wchar_t* name) {
        ASSERT_NE(OpenTrayMenu(), nullptr);
        SaveScreenshot(name);
        CloseMenus();
    }
};

TEST_F(Pictures, TheMicropause) {
    WriteSetting(L"Micropause", L"InterruptFor", L"30");
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(6000);  // the bar a fifth along
    SaveScreenshot(L"micropause");
}

TEST_F(Pictures, TheTrayMenuPlainReadingAndPaused) {
    Start();
    TakeTrayMenu(L"tray-menu");
    Command(IDM_READING_MODE);
    ASSERT_TRUE(WaitUntil([] { return ReadSetting(L"Options", L"ReadingMode") == L"1"; }, kWait));
    TakeTrayMenu(L"tray-menu-reading");
    Command(IDM_READING_MODE);
    Command(IDM_PAUSE_60);
    ASSERT_TRUE(
        WaitUntil([] { return ReadSetting(L"Options", L"PausedUntil").has_value(); }, kWait));
    TakeTrayMenu(L"tray-menu-paused");
}

TEST_F(Pictures, EveryPageOfTheOptions) {
    Start();
    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    const int pages = static_cast<int>(SendMessageW(Control(IDC_TS), TCM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(pages, static_cast<int>(std::size(kPageNames))) << "a page without a picture name";
    for (int page = 0; page < pages; ++page) {
        SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, page, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return IsWindowVisible(Control(kPageIds[page])) != FALSE; }, kWait));
        PumpFor(500);
        SaveScreenshot(kPageNames[page]);
    }
    Click(IDCANCEL);
}

TEST_F(Pictures, TheStatisticsWindow) {
    WriteAMonthOfFigures();
    Start();
    Command(IDM_POPUP_STATISTICS);
    ASSERT_TRUE(
        WaitUntil([&] { return FindProcessWindow(running_.Id(), L"Rilto Statistics"); }, kWait));
    PumpFor(1000);
    SaveScreenshot(L"statistics");
}

// The daily limit of 6 hours, with 5 h 59 min active already today: one more minute of
// work (of a second, here) reaches it.
TEST_F(Pictures, TheDailyLimit) {
    WriteSetting(L"Statistics", LocalDate(), L"micropauses=14;activeMinutes=359");
    WriteSetting(L"DailyLimit", L"On", L"1");
    WriteSetting(L"DailyLimit", L"LimitM", L"360");
    WriteSetting(L"Micropause", L"InterruptEvery", L"60");
    ShortenMinute(1000);
    OtherProgramWindow typing(true);
    Start();
    ASSERT_TRUE(typing.TakeForeground());
    // The window is made hidden at start; it counts once it shows.
    const auto limit = [&]() -> HWND {
        const HWND w = FindProcessWindow(running_.Id(), L"Rilto Daily Limit");
        return w != nullptr && IsWindowVisible(w) ? w : nullptr;
    };
    const DWORD from = GetTickCount();
    while (limit() == nullptr && GetTickCount() - from < 60000) {
        hooktest::SendKey();
        hooktest::SendMouseMove();
        WaitUntil([&] { return limit() != nullptr; }, 300);
    }
    ASSERT_NE(limit(), nullptr);
    ShowWindow(typing.hwnd(), SW_HIDE);
    PumpFor(700);
    SaveScreenshot(L"daily-limit");
}

// A console in the program folder where `riltoctl status` is typed, as a user types it.
TEST_F(Pictures, AConsoleWithRiltoctlStatus) {
    WriteSetting(L"Options", L"Initialised", L"1");
    Start();
    // A console of 64 columns and 9 lines, all of it on screen, so no scroll bar shows.
    HKEY console = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Console", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &console, nullptr),
              ERROR_SUCCESS);
    const DWORD size = (9u << 16) | 64u;
    RegSetValueExW(console, L"WindowSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size),
                   sizeof size);
    RegSetValueExW(console, L"ScreenBufferSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size),
                   sizeof size);
    RegCloseKey(console);

    const std::wstring folder = L"C:\\Program Files\\Rilto Micropause";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW(BinPath(L"riltoctl.exe").c_str(), (folder + L"\\riltoctl.exe").c_str(), FALSE));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring command = L"cmd.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                               nullptr, folder.c_str(), &startup, &started));
    PumpFor(3000);
    for (const wchar_t c : std::wstring(L"riltoctl status")) {
        TypeChar(c);
    }
    PressKey(VK_RETURN);
    PumpFor(3000);
    SaveScreenshot(L"riltoctl-status");
    TerminateProcess(started.hProcess, 0);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

TEST_F(Pictures, TheAboutBox) {
    Start();
    Command(IDM_POPUP_ABOUT);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (about = FindProcessWindow(running_.Id(), L"About Rilto")) != nullptr; },
        kWait));
    PumpFor(500);
    SaveScreenshot(L"about");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
}

}  // namespace
}  // namespace harness
