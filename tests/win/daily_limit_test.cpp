// The daily limit in the real program: with today's active minutes one short of the limit
// in the store and input going on, "Rilto Daily Limit" comes at the next minute, topmost,
// in the corner of the work area, without taking the foreground from the program in front;
// "Re&mind me later" puts it off for 30 more active minutes, and "&Stop for today" stores
// the next local midnight in Options\PausedUntil. The program counts short minutes.

#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/frm_daily_limit_ids.h"
#include "engine/frm_daily_limit_win.h"
#include "support/rilto_test.h"
#include "tools/input_sender.h"

namespace harness {
namespace {

constexpr DWORD kWait = harness::kShowWait;
// The program's minute: 30 of them are a minute of the test.
constexpr DWORD kMinute = 2000;
constexpr DWORD kInputEvery = 400;

// The next local midnight as UTC, "YYYY-MM-DDThh:mm:ssZ".
std::wstring NextLocalMidnightUtc() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    local.wHour = local.wMinute = local.wSecond = local.wMilliseconds = 0;
    FILETIME ft{};
    SystemTimeToFileTime(&local, &ft);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    ticks.QuadPart += 24 * 3600 * 10'000'000ULL;
    ft.dwLowDateTime = ticks.LowPart;
    ft.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME midnight{};
    FileTimeToSystemTime(&ft, &midnight);
    SYSTEMTIME utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &midnight, &utc);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth, utc.wDay,
             utc.wHour, utc.wMinute, utc.wSecond);
    return text;
}

class DailyLimitTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Micropause", L"InterruptEvery", L"1000");  // no micropause in the way
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Exercise", L"EveryM", L"0");
        WriteSetting(L"DailyLimit", L"On", L"1");
        WriteSetting(L"DailyLimit", L"LimitM", L"60");
        DeleteSection(L"Statistics");
        // Earlier days for the chart, and today one active minute short of the limit.
        const wchar_t* earlier[] = {L"micropauses=9;natural=4;activeMinutes=75",
                                    L"micropauses=12;skipped=2;activeMinutes=40",
                                    L"micropauses=6;natural=6;activeMinutes=20"};
        for (int daysAgo = 1; daysAgo <= 3; ++daysAgo) {
            WriteSetting(L"Statistics", LocalDate(daysAgo), earlier[daysAgo - 1]);
        }
        WriteSetting(L"Statistics", LocalDate(), L"micropauses=5;natural=2;activeMinutes=59");
    }
    HWND LimitWindow() const {
        const HWND w = FindProcessWindow(running_.Id(), rilto::kDailyLimitTitle);
        return w != nullptr && IsWindowVisible(w) ? w : nullptr;
    }
    // Input from this program, another one to rilto32, until `done` or `ms` have passed.
    bool WorkUntil(const std::function<bool()>& done, DWORD ms) {
        const DWORD from = GetTickCount();
        while (GetTickCount() - from < ms) {
            hooktest::SendKey();
            hooktest::SendMouseMove();
            if (WaitUntil(done, kInputEvery)) {
                return true;
            }
        }
        return false;
    }
    std::optional<std::wstring> PausedUntil() { return ReadSetting(L"Options", L"PausedUntil"); }
};

TEST_F(DailyLimitTest, ComesAtTheLimitWithoutTheFocusAndStopsForToday) {
    ShortenMinute(kMinute);
    OtherProgramWindow typing(true);
    Start();
    ASSERT_TRUE(typing.TakeForeground());
    ASSERT_TRUE(WorkUntil([&] { return LimitWindow() != nullptr; }, 4 * kMinute + kWait));
    PumpFor(300);
    const HWND window = LimitWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassOf(window), L"" RILTO_DAILY_LIMIT_CLASS);
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_EQ(GetForegroundWindow(), typing.hwnd()) << "the focus stays where the user types";
    EXPECT_EQ(TextOf(DescendantWithId(window, IDC_LIMIT_TEXT)),
              L"You have been active for 1 h 00 min today. Your daily limit is 1 h 00 min.");
    // Small, in the corner of the work area, not over the screen.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_LE(frame.right, work.right);
    EXPECT_LE(frame.bottom, work.bottom);
    EXPECT_GT(frame.left, (work.left + work.right) / 2);
    EXPECT_GT(frame.top, (work.top + work.bottom) / 2);
    SaveScreenshot(L"daily-limit");

    // "Re&mind me later": gone, no pause, and back after 30 more active minutes, not before.
    const DWORD remindedAt = GetTickCount();
    SendMessageW(DescendantWithId(window, IDC_LIMIT_LATER), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return LimitWindow() == nullptr; }, kWait));
    EXPECT_FALSE(PausedUntil().has_value());
    ASSERT_TRUE(WorkUntil([&] { return LimitWindow() != nullptr; }, 40 * kMinute + kWait));
    EXPECT_GE(GetTickCount() - remindedAt, 29 * kMinute);

    // "&Stop for today": the pause of "Until &tomorrow".
    SendMessageW(DescendantWithId(LimitWindow(), IDC_LIMIT_STOP), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return PausedUntil().has_value(); }, kWait));
    EXPECT_EQ(PausedUntil().value_or(L""), NextLocalMidnightUtc());
    EXPECT_TRUE(WaitUntil([&] { return LimitWindow() == nullptr; }, kWait));

    // The Statistics window draws the limit across its chart.
    Command(IDM_POPUP_STATISTICS);
    ASSERT_TRUE(
        WaitUntil([&] { return FindProcessWindow(running_.Id(), L"Rilto Statistics"); }, kWait));
    PumpFor(700);
    SaveScreenshot(L"statistics-daily-limit");
}

}  // namespace
}  // namespace harness
