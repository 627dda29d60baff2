// The tray icon and its menu, driven with real clicks and keys.

#include <gtest/gtest.h>

#include <cstdlib>
#include <atomic>
#include <thread>

#include <windows.h>
#include <shellapi.h>

#include "engine/frm_rilto_ids.h"
#include "shell/resource.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr DWORD kWait = 15000;

void RightClickTrayIcon() {
    const POINT at = TrayIconCentre();
    ClickAt(at.x, at.y, true);
}

// A notification as the taskbar sends it once the icon has NOTIFYICON_VERSION_4: the
// event in the low word of lParam, the icon's id in the high word, the icon's anchor
// point in wParam; without waiting for the program.
void NotifyAsTheTaskbar(HWND hook, UINT event, POINT anchor) {
    SendNotifyMessageW(hook, WM_MOUSEMOVE, MAKEWPARAM(anchor.x, anchor.y), MAKELPARAM(event, 1));
}

class Tray : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        WriteSetting(L"Micropause", L"Audible", L"0");
        running_ = StartRilto();
        ASSERT_TRUE(running_.Running());
        hook_ = TrayWindow();
        ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(hook_); }, kWait));
    }
    void TearDown() override {
        if (HWND menu = FindMenuWindow(running_.Id())) {
            PressKey(VK_ESCAPE);
            WaitUntil([&] { return !IsWindowVisible(menu); }, 3000);
        }
        StopRilto(running_);
        ClearStore();
    }
    // Closes the open menu and checks that no other opens after it.
    void CloseTheOnlyMenu() {
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) == nullptr; }, kWait));
        PumpFor(700);
        EXPECT_EQ(FindMenuWindow(running_.Id()), nullptr);
    }
    // The first click can come before the taskbar has laid out a new icon: click
    // again until the menu shows.
    HWND OpenMenuByRightClick() {
        HWND menu = nullptr;
        for (int attempt = 0; attempt < 5 && menu == nullptr; ++attempt) {
            RightClickTrayIcon();
            WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, 3000);
        }
        return menu;
    }
    Process running_;
    HWND hook_ = nullptr;
};

// SetUp has seen the icon appear; the shutdown key command takes it away.
TEST_F(Tray, TheShutdownKeyCommandDeletesTheIcon) {
    Process trigger(BinPath(L"shutdowntrigger.exe"), L"");
    EXPECT_EQ(trigger.WaitExit(kWait), 0u);
    EXPECT_TRUE(running_.WaitExit(kWait).has_value());
    EXPECT_FALSE(TrayIconPresent(hook_));
}

// A menu of another process cannot be read from here, so the items are read from
// the program's resources, and the live menu is measured.
TEST(TrayMenuResource, HasTheItemsInOrder) {
    const HMODULE exe =
        LoadLibraryExW(BinPath(L"rilto32.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDM_POPUP));
    ASSERT_NE(bar, nullptr);
    const HMENU items = GetSubMenu(bar, 0);
    const wchar_t* expected[] = {
        L"&Options...",    L"&Status...", L"&About...", L"", L"&Micropause Now!",
        L"&Exercise Now!", L"",           L"Scheme",    L"", L"Sh&utdown Rilto"};
    ASSERT_EQ(GetMenuItemCount(items), 10);
    for (int i = 0; i < 10; ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(items, i, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i]) << i;
    }
    DestroyMenu(bar);
    FreeLibrary(exe);
}

// Wine's taskbar takes version 4: the click reports the button-up and then the context
// menu, and only one menu opens.
TEST_F(Tray, ARightClickOpensTheMenu) {
    const HWND menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    PumpFor(300);
    SaveScreenshot(L"tray-menu");
    // Opened at the mouse pointer, where the click was.
    RECT r{};
    GetWindowRect(menu, &r);
    const POINT at = TrayIconCentre();
    EXPECT_LE(std::abs(r.left - at.x), 2);
    CloseTheOnlyMenu();
}

// Enter or Space on the icon (reported twice for one Enter), then Shift+F10: one menu
// each time, at the icon's anchor point rather than at the mouse pointer.
TEST_F(Tray, TheKeyboardOpensTheMenuOnceAtTheIcon) {
    const POINT anchor{400, 300};
    for (const bool enter : {true, false}) {
        if (enter) {
            NotifyAsTheTaskbar(hook_, NIN_KEYSELECT, anchor);
            NotifyAsTheTaskbar(hook_, NIN_KEYSELECT, anchor);
        } else {
            NotifyAsTheTaskbar(hook_, WM_CONTEXTMENU, anchor);
        }
        HWND menu = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, kWait))
            << enter;
        RECT r{};
        GetWindowRect(menu, &r);
        EXPECT_LE(std::abs(r.left - anchor.x), 2) << enter;
        EXPECT_LE(std::abs(r.top - anchor.y), 2) << enter;
        CloseTheOnlyMenu();
    }
    // A single left click selects the icon and does nothing, as before.
    NotifyAsTheTaskbar(hook_, WM_LBUTTONUP, anchor);
    NotifyAsTheTaskbar(hook_, NIN_SELECT, anchor);
    PumpFor(700);
    EXPECT_EQ(FindMenuWindow(running_.Id()), nullptr);
    const HWND options = FindProcessWindow(running_.Id(), L"Rilto Options");
    EXPECT_FALSE(options != nullptr && IsWindowVisible(options));
}

// The button-up and the context menu that follows it are one right click.
TEST_F(Tray, ARightClickInTheNewFormOpensOneMenu) {
    POINT pointer{};
    GetCursorPos(&pointer);
    for (const UINT event : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}) {
        NotifyAsTheTaskbar(hook_, event, pointer);
    }
    ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) != nullptr; }, kWait));
    CloseTheOnlyMenu();
}

int MenuHeight(HWND menu) {
    RECT r{};
    GetWindowRect(menu, &r);
    return r.bottom - r.top;
}

TEST_F(Tray, TheSchemeItemsFollowTheStoreAtEveryDisplay) {
    DeleteSection(L"Schemes");  // the first start imported the built-in ones
    HWND menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    const int oneItem = MenuHeight(menu);  // no schemes: the item "Scheme"
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) == nullptr; }, kWait));

    WriteSetting(L"Schemes", L"Num", L"3");
    WriteSetting(L"Schemes", L"1", L"*Short break");
    WriteSetting(L"Schemes", L"2", L"*Medium break");
    WriteSetting(L"Schemes", L"3", L"Mine");
    menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    const int threeItems = MenuHeight(menu);
    PumpFor(300);
    SaveScreenshot(L"tray-menu-with-schemes");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) == nullptr; }, kWait));

    WriteSetting(L"Schemes", L"Num", L"1");
    menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    const int oneAgain = MenuHeight(menu);
    EXPECT_GT(threeItems, oneItem);
    EXPECT_EQ(oneAgain, oneItem);
}

TEST_F(Tray, MicropauseNowStartsAMicropause) {
    ASSERT_NE(OpenMenuByRightClick(), nullptr);
    TypeChar(L'm');
    const HWND form = MainForm();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) && IsTopmost(form); }, kWait));
}

TEST_F(Tray, StatusShowsTheStatusWindowAndOkHidesIt) {
    ASSERT_NE(OpenMenuByRightClick(), nullptr);
    TypeChar(L's');
    const HWND form = MainForm();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form); }, kWait));
    PumpFor(300);
    SaveScreenshot(L"status-window");
    EXPECT_FALSE(IsTopmost(form));
    EXPECT_TRUE(IsWindowVisible(FormControl(IDOK)));
    EXPECT_FALSE(IsWindowVisible(FormControl(IDC_PICPB)));
    EXPECT_EQ(TextOf(FormControl(IDC_LBLEXERCISE)), L"Next Exercise Break: 49 minutes");
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }, kWait));
}

TEST_F(Tray, ShutdownEndsTheProgramInAnOrderlyWay) {
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(hook_); }, kWait));
    ASSERT_NE(OpenMenuByRightClick(), nullptr);
    TypeChar(L'u');
    EXPECT_EQ(running_.WaitExit(kWait), 0u);
    EXPECT_EQ(ReadSetting(L"Options", L"tray"), L"0");
    EXPECT_FALSE(TrayIconPresent(hook_));
}

// A second start without arguments, and any key code but 99, open the menu of the
// running copy; the sender waits until the menu closes.
TEST_F(Tray, ASecondStartOpensTheMenuAndEndsWhenItCloses) {
    Process second(BinPath(L"rilto32.exe"), L"");
    HWND menu = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, kWait));
    PumpFor(500);
    EXPECT_TRUE(second.Running());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(second.WaitExit(kWait), 0u);
    EXPECT_TRUE(running_.Running());
}

TEST_F(Tray, KeyCode100DoesWhatKeyCode0Does) {
    for (WPARAM code : {WPARAM{100}, WPARAM{0}}) {
        std::atomic<bool> returned{false};
        std::thread sender([&] {
            SendMessageW(hook_, WM_KEYDOWN, code, 0);
            returned = true;
        });
        HWND menu = nullptr;
        EXPECT_TRUE(
            WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, kWait))
            << code;
        PumpFor(300);
        EXPECT_FALSE(returned) << code;
        PressKey(VK_ESCAPE);
        sender.join();
        EXPECT_TRUE(returned);
        EXPECT_TRUE(running_.Running());
        WaitUntil([&] { return FindMenuWindow(running_.Id()) == nullptr; }, kWait);
    }
}

// While the menu is open, neither a second start nor another right click rebuilds and
// reopens it: the second start ends at once, and the menu the user sees stays usable.
TEST_F(Tray, NothingReopensAnOpenMenu) {
    const HWND menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    WriteSetting(L"Schemes", L"Num", L"3");  // a rebuild would show three scheme items
    Process second(BinPath(L"rilto32.exe"), L"");
    EXPECT_EQ(second.WaitExit(5000), 0u);
    RightClickTrayIcon();
    PumpFor(500);
    EXPECT_EQ(FindMenuWindow(running_.Id()), menu);
    EXPECT_TRUE(IsWindowVisible(menu));
    // The open menu still takes its keys: "Micropause Now!".
    TypeChar(L'm');
    const HWND form = MainForm();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) && IsTopmost(form); }, kWait));
}

TEST_F(Tray, TaskbarCreatedBringsTheIconBack) {
    ASSERT_TRUE(WaitUntil([&] { return TrayIconPresent(hook_); }, kWait));
    // Explorer restarting loses every icon.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hook_;
    nid.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    ASSERT_FALSE(TrayIconPresent(hook_));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(hook_); }, kWait));
}

}  // namespace
