// The limits users set on themselves, in the real program: with today's skips used up, as
// the day's figures in the store say, ESC and a double click leave the micropause on
// screen, which says "No skips left today"; after "Later" as often as one break allows,
// the next reminder shows "Later" greyed.

#include <windows.h>

#include <string>

#include "engine/frm_rilto_ids.h"
#include "exercise/frm_chk_exercise_ids.h"
#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kMinute = 2000;
constexpr DWORD kWait = harness::kShowWait;

class SelfLimit : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        DeleteSection(L"Statistics");
    }
    HWND Reminder() const { return ReminderWindow(running_.Id()); }
};

TEST_F(SelfLimit, WithTodaysSkipsUsedUpEscapeLeavesTheMicropauseOnScreen) {
    WriteSetting(L"Micropause", L"InterruptFor", L"30");
    WriteSetting(L"Micropause", L"InterruptEvery", L"1000");
    WriteSetting(L"Micropause", L"SkipsPerDay", L"1");
    WriteSetting(L"Statistics", LocalDate(),
                 L"micropauses=3;skipped=1;natural=0;exercises=0;postponed=0;endedEarly=0;"
                 L"activeMinutes=12");
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    const HWND hint = FormControl(IDC_LBLESC);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(hint) != FALSE; }, kWait));
    EXPECT_EQ(TextOf(hint), L"No skips left today");
    PumpFor(500);
    SaveScreenshot(L"micropause-no-skips-left");

    PressKey(VK_ESCAPE);
    PumpFor(2000);
    EXPECT_TRUE(Shown());
    const POINT centre = CentreOf(hint);
    DoubleClickAt(centre.x, centre.y);
    PumpFor(2000);
    EXPECT_TRUE(Shown());
    // Nothing was counted as skipped meanwhile.
    const std::wstring stored = ReadSetting(L"Statistics", LocalDate()).value_or(L"");
    EXPECT_NE(stored.find(L"skipped=1;"), std::wstring::npos) << stored;
}

TEST_F(SelfLimit, AfterOneLaterTheNextRemindersLaterIsGreyed) {
    ShortenMinute(kMinute);
    WriteSetting(L"Micropause", L"InterruptEvery", L"1000");
    WriteSetting(L"Exercise", L"EveryM", L"1");
    WriteSetting(L"Exercise", L"LaterPerBreak", L"1");
    Start();

    ASSERT_TRUE(WaitUntil([&] { return Reminder() != nullptr; }, 2 * kMinute + kWait));
    const HWND reminder = Reminder();
    const HWND later = GetDlgItem(reminder, IDC_CHK_LATER);
    EXPECT_TRUE(IsWindowEnabled(later));
    SendMessageW(GetDlgItem(reminder, IDC_CHK_MINUTES), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"1"));
    const POINT at = CentreOf(later);
    ClickAt(at.x, at.y, false);
    ASSERT_TRUE(WaitUntil([&] { return Reminder() == nullptr; }, kWait));
    EXPECT_EQ(ReadSetting(L"Exercise", L"ProcrastinateM").value_or(L""), L"1");

    // A minute later, the same break: "Later" is greyed.
    ASSERT_TRUE(WaitUntil([&] { return Reminder() != nullptr; }, 2 * kMinute + kWait));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Reminder(), IDC_CHK_LATER)));
    PumpFor(500);
    SaveScreenshot(L"reminder-later-greyed");
}

}  // namespace
}  // namespace harness
