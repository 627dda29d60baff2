// Reading mode in the real rilto32, with a minute of 2 seconds and nobody at the keyboard:
// the quiet is rest until "Rea&ding Mode" is chosen from the tray menu, and then
// micropauses come by the clock. The choice is stored at once and a new start keeps it:
// the menu shows its check mark and the tip says so.

#include <windows.h>

#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kMinute = 2000;
// Room for a loaded machine; every bound stays well below a real minute.
constexpr DWORD kWait = harness::kShowWait;

class ReadingMode : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        // A micropause every 4 minutes of 2 seconds, each 3 seconds long, and the idle poll
        // every 3 seconds: with IntelliReset on, quiet polls start the countdown again
        // before it can reach 0.
        WriteSetting(L"Micropause", L"IntelliReset", L"1");
        WriteSetting(L"Micropause", L"InterruptEvery", L"4");
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Exercise", L"EveryM", L"0");
        // The micropause screen in the middle, clear of the tray and its menu.
        WriteSetting(L"Micropause", L"Blank", L"0");
        ShortenMinute(kMinute);
    }
    // A micropause shows, topmost, within `minutes`, then ends by itself.
    void ExpectAMicropause(DWORD minutes) {
        ASSERT_TRUE(
            WaitUntil([&] { return Shown() && IsTopmost(form_); }, minutes * kMinute + kWait));
        // Its 3 seconds are real ones, however slowly a loaded machine draws them.
        EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 4 * kWait));
    }
    // The running copy's tray menu, opened by a right click on the icon: the black pixels in
    // its left margin, where only a check mark is drawn (separators are grey). Wine keeps a
    // menu's items within its process, so they are seen on the screen, once the menu has
    // painted its margin from top to bottom over the black desktop. The first click can
    // come before the taskbar has laid out a new icon: it clicks again until the menu shows.
    int CheckMarkPixelsInTheMenu(const wchar_t* screenshot) {
        HWND menu = nullptr;
        for (int attempt = 0; attempt < 6 && menu == nullptr; ++attempt) {
            const POINT icon = TrayIconCentre();
            ClickAt(icon.x, icon.y, true);
            WaitUntil([&] { return (menu = FindMenuWindow(running_.Id())) != nullptr; }, 5000);
        }
        EXPECT_NE(menu, nullptr);
        if (menu == nullptr) {
            return -1;
        }
        RECT r{};
        GetWindowRect(menu, &r);
        const HDC screen = GetDC(nullptr);
        const auto black = [&](int x, int y) {
            const COLORREF c = GetPixel(screen, x, y);
            return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
        };
        const bool painted = WaitUntil(
            [&] { return !black(r.left + 5, r.top + 5) && !black(r.left + 5, r.bottom - 6); },
            kWait);
        EXPECT_TRUE(painted);
        PumpFor(300);
        if (screenshot != nullptr) {
            SaveScreenshot(screenshot);
        }
        int count = 0;
        for (int y = r.top + 3; y < r.bottom - 3; ++y) {
            for (int x = r.left + 3; x < r.left + 20; ++x) {
                count += black(x, y) ? 1 : 0;
            }
        }
        ReleaseDC(nullptr, screen);
        EXPECT_TRUE(PressAtMenu(running_.Id(), VK_ESCAPE,
                                [&] { return FindMenuWindow(running_.Id()) == nullptr; }));
        return painted ? count : -1;
    }
};

TEST_F(ReadingMode, BringsMicropausesWithNoInputAndSurvivesARestart) {
    Start();
    // Five quiet minutes: rest, no micropause.
    EXPECT_FALSE(WaitUntil([&] { return Shown(); }, 5 * kMinute));
    EXPECT_EQ(ReadSetting(L"Options", L"ReadingMode").value_or(L""), L"");

    Command(IDM_READING_MODE);
    ASSERT_TRUE(WaitUntil(
        [] { return ReadSetting(L"Options", L"ReadingMode").value_or(L"") == L"1"; }, kWait));
    // Still nobody at the keyboard: micropauses by the clock, one after the other.
    ExpectAMicropause(4);
    ExpectAMicropause(4);

    // A new start reads it: the tip and the menu's check mark say so, and micropauses come
    // without input. They come less often now, so that none comes in the way meanwhile.
    StopRilto(running_);
    WriteSetting(L"Micropause", L"InterruptEvery", L"20");
    Start();
    const int checked = CheckMarkPixelsInTheMenu(L"tray-menu-reading");
    // Wine's tray shows tips once it has been clicked: after the menu.
    std::wstring tip;
    EXPECT_TRUE(WaitUntil(
        [&] { return (tip = TipOfTheTrayIcon()).find(L", reading mode") != std::wstring::npos; },
        kWait))
        << tip;
    ExpectAMicropause(20);

    // Chosen again: off, stored so, and the check mark gone.
    Command(IDM_READING_MODE);
    EXPECT_TRUE(WaitUntil(
        [] { return ReadSetting(L"Options", L"ReadingMode").value_or(L"") == L"0"; }, kWait));
    const int unchecked = CheckMarkPixelsInTheMenu(nullptr);
    EXPECT_GT(checked, 5);
    EXPECT_EQ(unchecked, 0);
}

}  // namespace
}  // namespace harness
