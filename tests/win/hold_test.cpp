// Holds and pauses in the real program: a micropause that falls due while another
// program fills the screen waits for it to close, unless holds are off, or for the
// longest hold, and one that falls due behind a maximised window does not wait; a pause
// from the tray menu is stored as UTC, survives a restart, and one that ends by itself
// lets the micropauses go on. The program counts short minutes of its own; the holds'
// looks every 2 seconds and a pause's end stay on the real clock.

#include <windows.h>

#include <cstdio>

#include "shell/resource.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kWait = harness::kShowWait;
// The program's minute: a few of the hold's 2-second looks.
constexpr DWORD kMinute = 3000;
// A hold ends: the break comes within 2 seconds, and a little for a loaded machine.
constexpr DWORD kAfterTheHold = 2600;

// Milliseconds since 1970 UTC, now.
long long UtcNowMs() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const auto ticks =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(ticks / 10'000ULL) - 11'644'473'600'000LL;
}

// Seconds since 1970 UTC, now.
long long UtcNow() {
    return UtcNowMs() / 1000;
}

// "YYYY-MM-DDThh:mm:ssZ" of seconds since 1970.
std::wstring UtcText(long long seconds) {
    const auto ticks = static_cast<unsigned long long>(seconds + 11'644'473'600LL) * 10'000'000ULL;
    const FILETIME ft{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME t{};
    FileTimeToSystemTime(&ft, &t);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour,
             t.wMinute, t.wSecond);
    return text;
}

// The text back to seconds, or -1.
long long SecondsOf(const std::wstring& text) {
    SYSTEMTIME t{};
    if (swscanf(text.c_str(), L"%4hu-%2hu-%2huT%2hu:%2hu:%2huZ", &t.wYear, &t.wMonth, &t.wDay,
                &t.wHour, &t.wMinute, &t.wSecond) != 6) {
        return -1;
    }
    FILETIME ft{};
    SystemTimeToFileTime(&t, &ft);
    const auto ticks =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(ticks / 10'000'000ULL) - 11'644'473'600LL;
}

class HoldTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Micropause", L"InterruptEvery", L"1");
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Micropause", L"IntelliReset", L"0");
        WriteSetting(L"Exercise", L"EveryM", L"0");
    }
    // A window of this program, another one to rilto32, over the whole screen in front.
    void FillScreen(OtherProgramWindow& other) {
        const HWND w = other.hwnd();
        SetWindowLongPtrW(w, GWL_STYLE, WS_POPUP | WS_VISIBLE);
        SetWindowPos(w, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                     GetSystemMetrics(SM_CYSCREEN), SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        ASSERT_TRUE(other.TakeForeground());
    }
    // Whether the micropause screen shows within `ms`; the time it took.
    bool ShownWithin(DWORD ms, DWORD* took = nullptr) {
        const DWORD from = GetTickCount();
        const bool shown = WaitUntil([&] { return Shown(); }, ms);
        if (took != nullptr) {
            *took = GetTickCount() - from;
        }
        return shown;
    }
    // The pause's end as the store holds it.
    std::optional<std::wstring> PausedUntil() { return ReadSetting(L"Options", L"PausedUntil"); }
};

TEST_F(HoldTest, AFullScreenProgramHoldsADueMicropauseUntilItCloses) {
    ShortenMinute(kMinute);
    // Due at the second minute: the window is in front well before.
    WriteSetting(L"Micropause", L"InterruptEvery", L"2");
    Start();
    {
        OtherProgramWindow presenting(true);
        FillScreen(presenting);
        // Due, then held while the window fills the screen, for a minute and more of looks.
        EXPECT_FALSE(ShownWithin(3 * kMinute));
        PumpFor(300);
        SaveScreenshot(L"hold-full-screen");
    }
    DWORD took = 0;
    EXPECT_TRUE(ShownWithin(kAfterTheHold, &took)) << took << " ms";
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));

    // With holds for full-screen programs off, the micropause comes over the full screen
    // when it is due.
    StopRilto(running_);
    WriteSetting(L"Hold", L"FullScreen", L"0");
    Start();
    OtherProgramWindow presenting(true);
    FillScreen(presenting);
    EXPECT_TRUE(ShownWithin(2 * kMinute + kWait));
}

// A maximised editor on a monitor without a taskbar reaches past every edge by its frame;
// it is a working window, and the micropause comes when it is due.
TEST_F(HoldTest, AMaximisedWindowInFrontHoldsNothing) {
    ShortenMinute(kMinute);
    WriteSetting(L"Micropause", L"InterruptEvery", L"2");
    Start();
    OtherProgramWindow editor(true);
    const HWND w = editor.hwnd();
    // Bare Xvfb has no window manager, and another process sees a window maximised there
    // at its restored place: the captioned window is placed as Wine maximises one, its
    // 4-pixel frame past each edge (Windows' is 8).
    const RECT place{-4, -4, GetSystemMetrics(SM_CXSCREEN) + 4, GetSystemMetrics(SM_CYSCREEN) + 4};
    SetWindowPos(w, HWND_TOP, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_SHOWWINDOW);
    RECT now{};
    GetWindowRect(w, &now);
    ASSERT_TRUE(EqualRect(&now, &place)) << now.right << "," << now.bottom;
    ASSERT_TRUE(editor.TakeForeground());
    DWORD took = 0;
    EXPECT_TRUE(ShownWithin(2 * kMinute + kWait, &took)) << took << " ms";
}

// A micropause waits for a hold MaxM minutes at most, then comes over the full screen.
TEST_F(HoldTest, AMicropauseWaitsNoLongerThanTheLongestHold) {
    ShortenMinute(kMinute);
    WriteSetting(L"Micropause", L"InterruptEvery", L"2");
    WriteSetting(L"Hold", L"MaxM", L"2");
    Start();
    OtherProgramWindow presenting(true);
    FillScreen(presenting);
    // Due at the second minute and held for two more: nothing in the first three.
    EXPECT_FALSE(ShownWithin(3 * kMinute));
    EXPECT_TRUE(ShownWithin(2 * kMinute + kWait));
}

TEST_F(HoldTest, APauseIsStoredAsUtcSurvivesARestartAndEndsByItself) {
    Start();
    // "&Pause", "For &30 minutes" from the tray menu, as a second start opens it.
    PostMessageW(TrayWindow(), WM_KEYDOWN, 0, 0);
    ASSERT_NE(WaitForMenuKeyboard(running_.Id()), nullptr);
    PressKey(VK_UP);  // "Sh&utdown Rilto"
    PressKey(VK_UP);  // "&Pause"
    PressKey(VK_RIGHT);
    PumpFor(300);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return PausedUntil().has_value(); }, kWait));
    const long long until = SecondsOf(PausedUntil().value_or(L""));
    EXPECT_NEAR(static_cast<double>(until - UtcNow()), 30.0 * 60, 60.0) << *PausedUntil();
    PostMessageW(TrayWindow(), WM_KEYDOWN, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindMenuWindow(running_.Id()) != nullptr; }, kWait));
    PumpFor(500);
    SaveScreenshot(L"tray-menu-paused");
    ASSERT_TRUE(PressAtMenu(running_.Id(), VK_ESCAPE,
                            [&] { return FindMenuWindow(running_.Id()) == nullptr; }));

    // Started again, with a short minute, the program keeps the pause: the first two
    // minutes bring no micropause.
    StopRilto(running_);
    EXPECT_EQ(PausedUntil().value_or(L""), UtcText(until));
    ShortenMinute(kMinute);
    Start();
    EXPECT_FALSE(ShownWithin(2 * kMinute));
    EXPECT_EQ(PausedUntil().value_or(L""), UtcText(until));

    // A pause that ends by itself, moved close once the program has read it (a loaded
    // machine may take seconds to start it): the minutes go on from its end, so the
    // micropause comes a whole minute after it, not at the next minute's tick. The
    // program reads the new end when told that the clock changed.
    StopRilto(running_);
    WriteSetting(L"Options", L"PausedUntil", UtcText(UtcNow() + 600));
    Start();
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(MainForm(), WM_NULL, 0, 0, 0, kWait, &result), 0);
    ASSERT_TRUE(PausedUntil().has_value()) << "the pause ended at the start";
    const long long end = UtcNow() + 4;
    WriteSetting(L"Options", L"PausedUntil", UtcText(end));
    ASSERT_NE(SendMessageTimeoutW(MainForm(), WM_TIMECHANGE, 0, 0, 0, kWait, &result), 0);
    ASSERT_EQ(PausedUntil().value_or(L""), UtcText(end)) << "the pause ended early";
    ASSERT_TRUE(ShownWithin(4000 + 2 * kMinute + kWait));
    const long long afterTheEnd = UtcNowMs() - end * 1000;
    EXPECT_GE(afterTheEnd, static_cast<long long>(kMinute) - 300);
    EXPECT_FALSE(PausedUntil().has_value());
}

}  // namespace
}  // namespace harness
