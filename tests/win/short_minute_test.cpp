// The program's minute shortened in its environment, as the tests of minutes give it: the
// real rilto32 with a minute of 2 seconds brings a micropause and an exercise reminder
// within seconds, while the micropause still lasts its real seconds. Seen as another
// program on the desktop sees them: the program's windows, found through the store.

#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kMinute = 2000;
// Room for a loaded machine; every bound stays well below a real minute.
constexpr DWORD kWait = harness::kShowWait;

class ShortMinute : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        // No rest found while nobody types starts the micropause countdown again.
        WriteSetting(L"Micropause", L"IntelliReset", L"0");
    }
    bool ReminderShown() const { return ReminderWindow(running_.Id()) != nullptr; }
};

TEST_F(ShortMinute, BringsAMicropauseAndAnExerciseReminderWithinSeconds) {
    ShortenMinute(kMinute);
    WriteSetting(L"Micropause", L"InterruptEvery", L"2");
    WriteSetting(L"Micropause", L"InterruptFor", L"3");
    WriteSetting(L"Exercise", L"EveryM", L"4");
    Start();

    // Due at the second minute of 2 seconds.
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, 2 * kMinute + kWait));
    const DWORD shownAt = GetTickCount();
    // Its 3 seconds are real ones, not a share of the short minute.
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));
    EXPECT_GT(GetTickCount() - shownAt, 2000u);

    // Due at the fourth minute.
    ASSERT_TRUE(WaitUntil([&] { return ReminderShown(); }, 4 * kMinute + kWait));
    EXPECT_TRUE(IsTopmost(ReminderWindow(running_.Id())));
}

// A copy started after a test that shortened the minute, without shortening it again,
// counts real minutes: neither break comes at the first minute of 2 seconds, or the
// second.
TEST_F(ShortMinute, WithoutItTheMinuteIsReal) {
    WriteSetting(L"Micropause", L"InterruptEvery", L"1");
    WriteSetting(L"Exercise", L"EveryM", L"1");
    Start();
    EXPECT_FALSE(WaitUntil([&] { return Shown() || ReminderShown(); }, 3 * kMinute));
}

}  // namespace
}  // namespace harness
