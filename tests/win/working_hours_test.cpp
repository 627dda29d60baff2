// Working hours in the real program, with short minutes: with "Schedule" on and today's
// hours not covering now, no micropause comes and the tray shows the paused icon, while
// "&Micropause Now!" still brings one; with hours that cover now, the micropause comes
// when it is due. Today's weekday and the ranges are worked out from the local time as
// the test runs. (The tip's words are read from the icon in the tray test's own process.)

#include <windows.h>

#include <cwchar>
#include <string>

#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kMinute = 2000;
// Room for a loaded machine; every bound stays well below a real minute.
constexpr DWORD kWait = harness::kShowWait;

// The store's keys of the weekdays, as SYSTEMTIME counts them: Sunday first.
constexpr const wchar_t* kDayKeys[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};

// "hh:mm" of minutes from midnight, 0 to 1440.
std::wstring TimeText(int minutes) {
    wchar_t text[8];
    swprintf(text, 8, L"%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

class WorkingHoursTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Micropause", L"InterruptEvery", L"2");
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Micropause", L"IntelliReset", L"0");
        WriteSetting(L"Exercise", L"EveryM", L"0");
        WriteSetting(L"Schedule", L"On", L"1");
        for (const wchar_t* day : kDayKeys) {
            WriteSetting(L"Schedule", day, L"");
        }
        GetLocalTime(&now_);
        today_ = kDayKeys[now_.wDayOfWeek];
        minute_ = now_.wHour * 60 + now_.wMinute;
    }
    SYSTEMTIME now_{};
    std::wstring today_;
    // Minutes since local midnight, now.
    int minute_ = 0;
};

TEST_F(WorkingHoursTest, OutsideTheHoursNoMicropauseComesAndTheTipSaysUntilWhen) {
    // An hour, starting two hours from now: later today, or earlier today and next on the
    // same weekday a week on.
    const int start = (minute_ + 120) % 1440;
    const int end = (start + 60) % 1440;
    // Past midnight, it belongs to today and does not reach back to now either.
    WriteSetting(L"Schedule", today_, TimeText(start) + L"-" + TimeText(end));
    ShortenMinute(kMinute);
    Start();
    // Due at the second minute of 2 seconds, were it not off hours.
    EXPECT_FALSE(WaitUntil([&] { return Shown(); }, 3 * kMinute + 5000));
    EXPECT_TRUE(WaitUntil(TrayShowsThePausedIcon, kWait)) << TealPixelsInTheTray();
    SaveScreenshot(L"tray-off-hours");

    // What the user asks for comes all the same.
    MicropauseNow();
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
}

TEST_F(WorkingHoursTest, InsideTheHoursTheMicropauseComes) {
    // From an hour ago, or midnight, to two hours on, or the end of the day.
    const int start = minute_ >= 60 ? minute_ - 60 : 0;
    const int end = minute_ + 120 <= 1440 ? minute_ + 120 : 1440;
    WriteSetting(L"Schedule", today_, TimeText(start) + L"-" + TimeText(end));
    ShortenMinute(kMinute);
    Start();
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, 2 * kMinute + kWait));
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));
    EXPECT_TRUE(WaitUntil(TrayShowsTheProgramIcon, kWait)) << TealPixelsInTheTray();
}

}  // namespace
}  // namespace harness
