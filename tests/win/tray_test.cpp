// The tray icon and its menu, driven with real clicks and keys; and the menu and the icon
// in this process, shown as the program shows them, for the pause that the running
// program has no other way to show here.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "common/handles_win.h"
#include "engine/frm_rilto_ids.h"
#include "shell/resource.h"
#include "shell/tray_icon_win.h"
#include "shell/tray_menu_win.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr DWORD kWait = harness::kShowWait;

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
    bool MenuClosed() const { return FindMenuWindow(running_.Id()) == nullptr; }
    // Closes the open menu and checks that no other opens after it.
    void CloseTheOnlyMenu() {
        ASSERT_TRUE(PressAtMenu(running_.Id(), VK_ESCAPE, [&] { return MenuClosed(); }));
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
    // Opens the menu with a right click and types an item's key at it. On a loaded machine
    // the menu may close again before it takes the keyboard, as another window comes to
    // the front: it is opened again, up to 3 times.
    bool ChooseFromMenu(wchar_t key, const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (FindMenuWindow(running_.Id()) == nullptr && OpenMenuByRightClick() == nullptr) {
                continue;
            }
            if (TypeAtMenu(running_.Id(), key, done)) {
                return true;
            }
        }
        return done();
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
    ASSERT_TRUE(PressAtMenu(running_.Id(), VK_ESCAPE, [&] { return MenuClosed(); }));

    WriteSetting(L"Schemes", L"Num", L"3");
    WriteSetting(L"Schemes", L"1", L"*Short break");
    WriteSetting(L"Schemes", L"2", L"*Medium break");
    WriteSetting(L"Schemes", L"3", L"Mine");
    menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    const int threeItems = MenuHeight(menu);
    PumpFor(300);
    SaveScreenshot(L"tray-menu-with-schemes");
    ASSERT_TRUE(PressAtMenu(running_.Id(), VK_ESCAPE, [&] { return MenuClosed(); }));

    WriteSetting(L"Schemes", L"Num", L"1");
    menu = OpenMenuByRightClick();
    ASSERT_NE(menu, nullptr);
    const int oneAgain = MenuHeight(menu);
    EXPECT_GT(threeItems, oneItem);
    EXPECT_EQ(oneAgain, oneItem);
}

// The visible menu windows of the process: the menu and its open submenus.
int MenuWindows(DWORD processId) {
    struct Count {
        DWORD pid;
        int n;
    } count{processId, 0};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Count*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            c->n += pid == c->pid && IsWindowVisible(w) && ClassOf(w) == L"#32768" ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// "P" opens the submenu "&Pause" beside the menu; ESC closes it first, then the menu.
TEST_F(Tray, PauseOpensItsSubmenu) {
    ASSERT_TRUE(ChooseFromMenu(L'p', [&] { return MenuWindows(running_.Id()) == 2; }));
    PumpFor(300);
    SaveScreenshot(L"tray-menu-pause");
    EXPECT_TRUE(
        PressAtMenu(running_.Id(), VK_ESCAPE, [&] { return MenuWindows(running_.Id()) == 1; }));
    CloseTheOnlyMenu();
}

TEST_F(Tray, MicropauseNowStartsAMicropause) {
    const HWND form = MainForm();
    EXPECT_TRUE(ChooseFromMenu(L'm', [&] { return IsWindowVisible(form) && IsTopmost(form); }));
}

TEST_F(Tray, StatusShowsTheStatusWindowAndOkHidesIt) {
    const HWND form = MainForm();
    ASSERT_TRUE(ChooseFromMenu(L's', [&] { return IsWindowVisible(form) != FALSE; }));
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
    EXPECT_TRUE(ChooseFromMenu(L'u', [&] { return !running_.Running(); }));
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
    const HWND form = MainForm();
    EXPECT_TRUE(
        TypeAtMenu(running_.Id(), L'm', [&] { return IsWindowVisible(form) && IsTopmost(form); }));
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

// "YYYY-MM-DDThh:mm:ssZ" of the time `minutes` from now, and its local "hh:mm".
struct PauseEnd {
    std::wstring stored;
    std::wstring local;
};
PauseEnd MinutesFromNow(int minutes) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10'000'000ULL;
    const FILETIME later{t.LowPart, t.HighPart};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&later, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    wchar_t stored[32];
    wchar_t hhmm[8];
    swprintf(stored, 32, L"%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth, utc.wDay,
             utc.wHour, utc.wMinute, utc.wSecond);
    swprintf(hhmm, 8, L"%02u:%02u", local.wHour, local.wMinute);
    return {stored, hhmm};
}

// The time zone of a Wine prefix cannot be changed from here: the stored end of the pause,
// which the program reads afresh, is moved instead, and the clock's or the zone's change
// announced as Windows does, to the top-level windows. The tip says the new end after
// each.
TEST_F(Tray, TheTipSaysAgainUntilWhenWhenTheClockOrTheZoneChanges) {
    PostMessageW(hook_, WM_COMMAND, IDM_PAUSE_30, 0);
    ASSERT_TRUE(
        WaitUntil([] { return ReadSetting(L"Options", L"PausedUntil").has_value(); }, kWait));
    // The first look may come before the tray has laid out the new icon.
    std::wstring tip;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return (tip = TipOfTheTrayIcon()).rfind(L"Rilto Micropause: paused until ", 0) == 0;
        },
        kWait));
    const HWND form = MainForm();
    const struct {
        const char* what;
        UINT message;
        int minutes;
    } changes[] = {{"WM_TIMECHANGE", WM_TIMECHANGE, 150},
                   {"WM_SETTINGCHANGE", WM_SETTINGCHANGE, 270}};
    for (const auto& c : changes) {
        const PauseEnd end = MinutesFromNow(c.minutes);
        WriteSetting(L"Options", L"PausedUntil", end.stored);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(form, c.message, 0,
                            c.message == WM_SETTINGCHANGE ? reinterpret_cast<LPARAM>(L"intl") : 0,
                            SMTO_ABORTIFHUNG, kWait, &result);
        const std::wstring expected = L"Rilto Micropause: paused until " + end.local;
        WaitUntil([&] { return (tip = TipOfTheTrayIcon()) == expected; }, kWait);
        EXPECT_EQ(tip, expected) << c.what;
    }
}

// ---- The menu and the icon in this process

// An item of a menu as the user sees it, with the items of its submenu.
struct SeenItem {
    std::wstring text;
    UINT id;
    HMENU submenu;
    std::vector<std::wstring> submenuTexts;
};

std::vector<SeenItem> ItemsOf(HMENU menu) {
    std::vector<SeenItem> items;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[80] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 80, MF_BYPOSITION);
        SeenItem item{text, GetMenuItemID(menu, i), GetSubMenu(menu, i), {}};
        if (item.submenu != nullptr) {
            for (const SeenItem& sub : ItemsOf(item.submenu)) {
                item.submenuTexts.push_back(sub.text);
            }
        }
        items.push_back(item);
    }
    return items;
}

// The menu as the user reads it, one line per item: "-" a separator, "*" after the bold
// default item, "(grey)" after a greyed one, "(checked)" after one with a check mark, " >"
// and its items after a submenu, and the command's id after every command.
std::vector<std::wstring> Lines(HMENU menu) {
    std::vector<std::wstring> lines;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        wchar_t text[80] = L"";
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 80;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            lines.push_back(L"?");
            continue;
        }
        if ((info.fType & MFT_SEPARATOR) != 0) {
            lines.push_back(L"-");
            continue;
        }
        std::wstring line = text;
        line += (info.fState & MFS_DEFAULT) != 0 ? L"*" : L"";
        line += (info.fState & MFS_GRAYED) != 0 ? L" (grey)" : L"";
        line += (info.fState & MFS_CHECKED) != 0 ? L" (checked)" : L"";
        if (info.hSubMenu != nullptr) {
            line += L" >";
            for (const std::wstring& sub : Lines(info.hSubMenu)) {
                line += L" " + sub + L";";
            }
        } else {
            line += L" #" + std::to_wstring(info.wID);
        }
        lines.push_back(line);
    }
    return lines;
}

// The open menu, read by a timer inside its modal loop, which then closes it.
std::vector<SeenItem> openMenu;
std::vector<std::wstring> openLines;
int ticksWaited = 0;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND window = FindMenuWindow(GetCurrentProcessId());
    if (window == nullptr && ++ticksWaited < 100) {
        return;
    }
    KillTimer(nullptr, timer);
    if (window != nullptr) {
        const auto shown = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        openMenu = ItemsOf(shown);
        openLines = Lines(shown);
    }
    EndMenu();
}

// What the menu shows when it opens next.
std::vector<SeenItem> Shown(rilto::TrayMenu& menu, HWND owner) {
    openMenu.clear();
    openLines.clear();
    ticksWaited = 0;
    SetTimer(nullptr, 0, 50, ReadOpenMenu);
    menu.Show(owner, owner, POINT{200, 200});
    return openMenu;
}

// The menu as it opens, item by item with its separators: the scheme items between the
// second and the third separator, with the store's schemes or the placeholder alone,
// paused or not.
TEST(TrayMenuInProcess, OpensWithEveryItemInOrder) {
    const harness::OtherProgramWindow owner;
    const std::wstring pause =
        L"&Pause > For &30 minutes #2007; For &1 hour #2008; For &2 hours #2009; "
        L"Until &tomorrow #2010;";
    const std::vector<std::wstring> top = {L"&Options...* #2001",
                                           L"&Status... #2002",
                                           L"&About... #2003",
                                           L"S&tatistics... #2012",
                                           L"-",
                                           L"&Micropause Now! #2004",
                                           L"&Exercise Now! #2005",
                                           L"Rea&ding Mode #2013",
                                           L"-"};
    const struct {
        std::vector<std::string> schemes;
        bool schemesEnabled;
        const char* until;
        std::vector<std::wstring> rest;
    } cases[] = {
        {{"Scheme"}, false, "", {L"Scheme (grey) #2100", L"-", pause, L"Sh&utdown Rilto #2006"}},
        {{"*Short break", "Mine"},
         true,
         "",
         {L"*Short break #2100", L"Mine #2101", L"-", pause, L"Sh&utdown Rilto #2006"}},
        {{"*Short break", "Mine"},
         true,
         "14:30",
         {L"*Short break #2100", L"Mine #2101", L"-", L"&Resume (paused until 14:30) #2011",
          L"Sh&utdown Rilto #2006"}},
        {{"Scheme"},
         false,
         "09:05",
         {L"Scheme (grey) #2100", L"-", L"&Resume (paused until 09:05) #2011",
          L"Sh&utdown Rilto #2006"}},
    };
    rilto::TrayMenu menu;
    ASSERT_TRUE(menu.Create({}));
    for (const auto& c : cases) {
        rilto::TrayMenuContent content;
        content.schemes = c.schemes;
        content.optionsEnabled = content.aboutEnabled = content.exerciseEnabled = true;
        content.schemesEnabled = c.schemesEnabled;
        content.pausedUntil = c.until;
        menu.Load(content);
        Shown(menu, owner.hwnd());
        std::vector<std::wstring> expected = top;
        expected.insert(expected.end(), c.rest.begin(), c.rest.end());
        EXPECT_EQ(openLines, expected) << c.schemes.size() << " " << c.until;
    }
}

// While paused, "&Resume (paused until hh:nn)" stands where "&Pause" is otherwise, and
// back; no submenu outlives the menu, whichever of the two shows at the end.
TEST(TrayMenuInProcess, ResumeStandsWherePauseIsWhilePaused) {
    const harness::OtherProgramWindow owner;  // hidden, as the program's main form
    rilto::TrayMenuContent content;
    content.schemes = {"*Short break", "Mine"};
    const std::vector<std::wstring> pauseItems = {L"For &30 minutes", L"For &1 hour",
                                                  L"For &2 hours", L"Until &tomorrow"};
    const struct {
        const char* until;
        const wchar_t* item;
    } states[] = {{"", L"&Pause"},
                  {"14:30", L"&Resume (paused until 14:30)"},
                  {"", L"&Pause"},
                  {"09:05", L"&Resume (paused until 09:05)"}};
    for (const std::size_t shown : {std::size(states), std::size(states) - 1}) {
        HMENU submenu = nullptr;
        {
            rilto::TrayMenu menu;
            ASSERT_TRUE(menu.Create({}));
            for (std::size_t i = 0; i < shown; ++i) {
                content.pausedUntil = states[i].until;
                menu.Load(content);
                const std::vector<SeenItem> items = Shown(menu, owner.hwnd());
                ASSERT_EQ(items.size(), 14u) << i;
                EXPECT_EQ(items[13].text, L"Sh&utdown Rilto") << i;
                EXPECT_EQ(items[12].text, states[i].item) << i;
                if (content.pausedUntil.empty()) {
                    EXPECT_EQ(items[12].submenuTexts, pauseItems) << i;
                    submenu = items[12].submenu;
                    EXPECT_TRUE(IsMenu(submenu)) << i;
                } else {
                    EXPECT_EQ(items[12].id, static_cast<UINT>(IDM_RESUME)) << i;
                    EXPECT_EQ(items[12].submenu, nullptr) << i;
                }
            }
            ASSERT_NE(submenu, nullptr);
        }
        EXPECT_FALSE(IsMenu(submenu)) << "left paused: " << (shown == std::size(states));
    }
}

TEST(TrayMenuInProcess, EachPauseItemRaisesItsEvent) {
    std::vector<std::string> raised;
    rilto::TrayMenuEvents events;
    events.pauseFor = [&](int minutes) { raised.push_back("for " + std::to_string(minutes)); };
    events.pauseUntilTomorrow = [&] { raised.push_back("until tomorrow"); };
    events.resume = [&] { raised.push_back("resume"); };
    rilto::TrayMenu menu;
    ASSERT_TRUE(menu.Create(events));
    for (const int id :
         {IDM_PAUSE_30, IDM_PAUSE_60, IDM_PAUSE_120, IDM_PAUSE_TOMORROW, IDM_RESUME}) {
        EXPECT_TRUE(menu.Execute(id)) << id;
    }
    EXPECT_EQ(raised, (std::vector<std::string>{"for 30", "for 60", "for 120", "until tomorrow",
                                                "resume"}));
}

// "Rea&ding Mode" shows its check mark while the mode is on, and only then; chosen, it
// raises its own event.
TEST(TrayMenuInProcess, ReadingModeShowsItsCheckMarkAndRaisesItsEvent) {
    const harness::OtherProgramWindow owner;
    int switched = 0;
    rilto::TrayMenuEvents events;
    events.readingMode = [&] { ++switched; };
    rilto::TrayMenu menu;
    ASSERT_TRUE(menu.Create(events));
    rilto::TrayMenuContent content;
    content.schemes = {"Scheme"};
    for (const bool on : {true, false}) {
        content.readingMode = on;
        menu.Load(content);
        Shown(menu, owner.hwnd());
        ASSERT_GE(openLines.size(), 8u);
        EXPECT_EQ(openLines[7], on ? L"Rea&ding Mode (checked) #2013" : L"Rea&ding Mode #2013");
    }
    EXPECT_TRUE(menu.Execute(IDM_READING_MODE));
    EXPECT_EQ(switched, 1);
}

// A window of this process that keeps the tray icon's notifications.
class IconOwner {
  public:
    IconOwner() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RiltoTestIconOwner";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~IconOwner() { DestroyWindow(hwnd_); }
    IconOwner(const IconOwner&) = delete;
    IconOwner& operator=(const IconOwner&) = delete;
    HWND hwnd() const { return hwnd_; }
    // The lParams of the callback messages so far.
    std::vector<LPARAM> notes;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<IconOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_MOUSEMOVE && self != nullptr) {
            self->notes.push_back(lp);
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};

// The icon asks for the taskbar's newer notifications through the hook window's
// callback: a right click reports the button-up and the context menu, each with the
// icon's id in the high word.
TEST(TrayIconInProcess, ARightClickReportsInTheNewerFormThroughTheCallback) {
    IconOwner owner;
    const rilto::UniqueIcon normal = rilto::LoadTrayIcon(GetModuleHandleW(nullptr), IDI_RILTO);
    rilto::TrayIcon icon(owner.hwnd(), normal.get());
    ASSERT_TRUE(icon.Add());
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    ASSERT_TRUE(WaitUntil([&] { return tray != nullptr && IsWindowVisible(tray); }, kWait));
    const POINT at = TrayIconCentre();
    const auto contextMenu = [&] {
        for (const LPARAM lp : owner.notes) {
            if (LOWORD(lp) == WM_CONTEXTMENU && HIWORD(lp) == 1) {
                return true;
            }
        }
        return false;
    };
    for (int attempt = 0; attempt < 5 && !contextMenu(); ++attempt) {
        ClickAt(at.x, at.y, true);
        PumpFor(500);
    }
    EXPECT_TRUE(contextMenu()) << owner.notes.size() << " notifications";
    bool buttonUp = false;
    for (const LPARAM lp : owner.notes) {
        buttonUp = buttonUp || (LOWORD(lp) == WM_RBUTTONUP && HIWORD(lp) == 1);
    }
    EXPECT_TRUE(buttonUp);
}

// Paused, the tray shows the paused icon and says until when, also when the icon is added
// again after Explorer has lost it; resumed, the program icon and its title come back.
TEST(TrayIconInProcess, ThePausedIconAndTipStayUntilResumed) {
    const harness::OtherProgramWindow owner;  // hidden, as the program's hook window
    const rilto::UniqueIcon normal = rilto::LoadTrayIcon(GetModuleHandleW(nullptr), IDI_RILTO);
    ASSERT_TRUE(normal);
    rilto::TrayIcon icon(owner.hwnd(), normal.get());
    ASSERT_TRUE(icon.Add());
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    ASSERT_TRUE(WaitUntil([&] { return tray != nullptr && IsWindowVisible(tray); }, kWait));
    EXPECT_TRUE(WaitUntil(TrayShowsTheProgramIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause");

    icon.SetPausedUntil("14:30");
    EXPECT_TRUE(WaitUntil(TrayShowsThePausedIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: paused until 14:30");
    SaveScreenshot(L"tray-paused");

    // Explorer restarting loses the icon; the add that follows shows the pause again.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner.hwnd();
    nid.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    PumpFor(300);
    ASSERT_TRUE(icon.Add());
    EXPECT_TRUE(WaitUntil(TrayShowsThePausedIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: paused until 14:30");

    // Today's count waits behind the pause, and shows once it ends.
    icon.SetMicropausesToday(12);
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: paused until 14:30");
    icon.SetPausedUntil("");
    EXPECT_TRUE(WaitUntil(TrayShowsTheProgramIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: 12 micropauses today");
    icon.SetMicropausesToday(1);
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: 1 micropause today");

    // Off hours show the paused icon too, and say until when; a pause's tip stands
    // before theirs.
    icon.SetOffHours(rilto::OffHoursShown{true, "Mon 09:00"});
    EXPECT_TRUE(WaitUntil(TrayShowsThePausedIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: off hours until Mon 09:00");
    icon.SetPausedUntil("18:30");
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: paused until 18:30");
    icon.SetPausedUntil("");
    icon.SetOffHours(rilto::OffHoursShown{true, ""});
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: off hours");
    icon.SetOffHours(rilto::OffHoursShown{});
    EXPECT_TRUE(WaitUntil(TrayShowsTheProgramIcon, kWait)) << TealPixelsInTheTray();
    EXPECT_EQ(TipOfTheTrayIcon(), L"Rilto Micropause: 1 micropause today");
}

}  // namespace
