// Micropauses in the real program: the screen, its bar, skipping it, and the
// scheduler's minute ticks with and without input.

#include <gtest/gtest.h>

#include <thread>

#include "engine/frm_rilto_ids.h"
#include "shell/resource.h"
#include "support/rilto_test.h"

using namespace harness;

namespace {

constexpr DWORD kWait = harness::kShowWait;
constexpr wchar_t kLastRilto[] = L"Last rilto micropause: ";
constexpr wchar_t kLastNatural[] = L"Last natural micropause: ";

// Columns of the bar drawn in the lit colour, read off the screen.
int LitColumns(HWND bar) {
    RECT r{};
    GetWindowRect(bar, &r);
    const COLORREF lit = GetSysColor(COLOR_HIGHLIGHT);
    HDC screen = GetDC(nullptr);
    int count = 0;
    const int y = (r.top + r.bottom) / 2;
    for (int x = r.left; x < r.right; ++x) {
        if (GetPixel(screen, x, y) == lit) {
            ++count;
        }
    }
    ReleaseDC(nullptr, screen);
    return count;
}

bool StartsWith(const std::wstring& s, const std::wstring& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// "hh:nn"
bool IsClockTime(const std::wstring& s) {
    return s.size() == 5 && iswdigit(s[0]) && iswdigit(s[1]) && s[2] == L':' && iswdigit(s[3]) &&
           iswdigit(s[4]);
}

using Micropause = RiltoTest;

TEST_F(Micropause, TheScreenComesTopmostFillsItsBarAndHidesAtTheEnd) {
    WriteSetting(L"Micropause", L"InterruptFor", L"6");
    Start();
    MicropauseNow();
    // Shown first, then made topmost.
    ASSERT_TRUE(WaitUntil([&] { return Shown() && IsTopmost(form_); }, kWait));
    const DWORD shownAt = GetTickCount();
    // Blank is on by default: the screen is covered.
    RECT r{};
    GetWindowRect(form_, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    const HWND bar = FormControl(IDC_PICPB);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_TRUE(IsWindowVisible(FormControl(IDC_LBLESC)));
    EXPECT_FALSE(IsWindowVisible(FormControl(IDOK)));

    PumpFor(1000);
    const int early = LitColumns(bar);
    SaveScreenshot(L"micropause");
    PumpFor(1500);
    const int later = LitColumns(bar);
    EXPECT_GT(early, 0);
    EXPECT_GT(later, early);

    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));
    // Seen from its first look, which a loaded machine may delay by a second: well over
    // half of its 6 seconds, whatever the load.
    const DWORD length = GetTickCount() - shownAt;
    EXPECT_GT(length, 4000u);
    EXPECT_LT(length, 10000u);
    std::wstring last;
    WaitUntil(
        [&] { return (last = TextOf(FormControl(IDC_LBLRILTO))).size() > wcslen(kLastRilto); },
        kWait);
    EXPECT_TRUE(StartsWith(last, kLastRilto)) << last;
    EXPECT_TRUE(IsClockTime(last.substr(wcslen(kLastRilto)))) << last;
    EXPECT_TRUE(IsWindowVisible(FormControl(IDOK)) == FALSE);  // hidden with the form
}

TEST_F(Micropause, WithoutBlankTheFormKeepsItsSizeButIsTopmost) {
    WriteSetting(L"Micropause", L"InterruptFor", L"3");
    WriteSetting(L"Micropause", L"Blank", L"0");
    Start();
    RECT before{};
    GetWindowRect(form_, &before);
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown() && IsTopmost(form_); }, kWait));
    RECT during{};
    GetWindowRect(form_, &during);
    EXPECT_EQ(during.right - during.left, before.right - before.left);
    EXPECT_EQ(during.bottom - during.top, before.bottom - before.top);
    EXPECT_LT(during.right - during.left, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(Micropause, EscapeSkipsItUnlessEarlyExitIsDisabled) {
    WriteSetting(L"Micropause", L"InterruptFor", L"30");
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(500);
    PressKey(VK_ESCAPE);
    const DWORD pressed = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));
    EXPECT_LT(GetTickCount() - pressed, 5000u);
    EXPECT_TRUE(StartsWith(TextOf(FormControl(IDC_LBLRILTO)), kLastRilto));
    StopRilto(running_);

    WriteSetting(L"Micropause", L"DisableEsc2", L"1");
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    EXPECT_FALSE(IsWindowVisible(FormControl(IDC_LBLESC)));
    PumpFor(500);
    PressKey(VK_ESCAPE);
    PumpFor(2000);
    EXPECT_TRUE(Shown());
}

// Three minutes of 3 seconds hold three 3-second poll periods: with input in each, none
// is a rest that starts the countdown again, and the micropause comes at the third tick.
TEST_F(Micropause, WithInputGoingOnTheMicropauseComesOnTime) {
    ShortenMinute(3000);
    WriteSetting(L"Micropause", L"InterruptEvery", L"3");
    WriteSetting(L"Micropause", L"InterruptFor", L"3");
    Start();
    int step = 0;
    // Keep the mouse busy: no poll period passes without input.
    const bool came = WaitUntil(
        [&] {
            MoveMouseBy((++step % 2) ? 3 : -3, 0);
            return Shown();
        },
        3 * minute_ + kWait);
    EXPECT_TRUE(came);
    EXPECT_EQ(TextOf(FormControl(IDC_LBLVOLUNTARY)), kLastNatural);
}

// Every rest restarts the countdown, so with two minutes to go it never gets past
// the first tick. (With one minute to go, the first tick would start it anyway.) Polls
// every 2 seconds put at least one rest in each minute of 4 seconds; without them the
// micropause would come at the second tick, and three go by.
TEST_F(Micropause, WithoutInputNaturalMicropausesKeepItAway) {
    ShortenMinute(4000);
    WriteSetting(L"Micropause", L"InterruptEvery", L"2");
    WriteSetting(L"Micropause", L"InterruptFor", L"2");
    Start();
    const bool came = WaitUntil([&] { return Shown(); }, 3 * minute_);
    EXPECT_FALSE(came);
    // A loaded machine may book the first rest late.
    WaitUntil([&] { return !TextOf(FormControl(IDC_LBLVOLUNTARY)).empty(); }, kWait);
    const std::wstring natural = TextOf(FormControl(IDC_LBLVOLUNTARY));
    EXPECT_TRUE(StartsWith(natural, kLastNatural)) << natural;
    EXPECT_TRUE(IsClockTime(natural.substr(wcslen(kLastNatural)))) << natural;
}

// A copy of the program in a folder without the hook library.
class WithoutHookLibrary : public Micropause {
  protected:
    void StartWithoutLibrary() {
        const std::wstring folder = L"C:\\rilto without hooks";
        CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW(BinPath(L"rilto32.exe").c_str(), (folder + L"\\rilto32.exe").c_str(), FALSE));
        DeleteFileW((folder + L"\\rsiorril.dll").c_str());
        WriteSetting(L"Options", L"Initialised", L"1");  // no default settings to import here
        running_ = StartRiltoAt(folder + L"\\rilto32.exe", L"");
        ASSERT_TRUE(running_.Running());
        form_ = MainForm();
    }
};

TEST_F(WithoutHookLibrary, ItWarnsOnceAndKeepsRunning) {
    WriteSetting(L"Micropause", L"InterruptFor", L"1");
    StartWithoutLibrary();

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(running_.Id())) != nullptr; }, kWait));
    EXPECT_EQ(TextOf(box), L"Rilto Micropause");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindMessageBox(running_.Id()) == nullptr; }, kWait));

    // Polls every second from now on, and no second message: two polls are enough to see.
    PumpFor(2500);
    EXPECT_EQ(FindMessageBox(running_.Id()), nullptr);
    EXPECT_TRUE(running_.Running());
    // No rest can be recognised without the library.
    EXPECT_EQ(TextOf(FormControl(IDC_LBLVOLUNTARY)), kLastNatural);
    MicropauseNow();
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
}

// The library is first needed while the tray menu's own message loop runs: the notice
// must not be lost to that loop.
TEST_F(WithoutHookLibrary, TheNoticeSurvivesAnOpenMenu) {
    // Nothing is watched, so start-up does not load the library; the first poll does.
    WriteSetting(L"Micropause", L"Monitor0", L"0");
    WriteSetting(L"Micropause", L"Monitor1", L"0");
    WriteSetting(L"Micropause", L"InterruptFor", L"3");
    StartWithoutLibrary();
    const HWND hook = TrayWindow();
    std::thread secondStart([hook] { SendMessageW(hook, WM_KEYDOWN, 0, 0); });
    // (No ASSERT from here until the join: the thread must be joined.)
    EXPECT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) != nullptr; }, kWait));
    EXPECT_EQ(FindMessageBox(running_.Id()), nullptr);
    // The first poll comes while the menu is open. Escape is only pressed once the
    // notice has been seen and closed: pressed while it shows, it would close the notice.
    HWND box = nullptr;
    const auto noticeShown = [&] { return (box = FindMessageBox(running_.Id())) != nullptr; };
    if (!WaitUntil(noticeShown, kWait) && FindMenuWindow(running_.Id()) != nullptr) {
        // A menu loop that holds posted messages back until it closes is as good.
        PressKey(VK_ESCAPE);
        WaitUntil(noticeShown, kWait);
    }
    EXPECT_NE(box, nullptr);
    if (box != nullptr) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return FindMessageBox(running_.Id()) == nullptr; }, kWait));
    }
    WaitUntil(
        [&] {
            if (FindMenuWindow(running_.Id()) == nullptr) {
                return true;
            }
            PressKey(VK_ESCAPE);
            PumpFor(300);
            return false;
        },
        kWait);
    secondStart.join();
}

}  // namespace
