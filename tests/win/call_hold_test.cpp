// Calls in the real program: a program that uses the microphone, as Windows records it
// per user, holds a due exercise reminder until its use ends, and holds nothing with
// holds for calls off. The records are written here as Windows writes them, and taken
// away at the end. The program counts short minutes; the holds' looks every 2 seconds
// stay on the real clock.

#include <windows.h>

#include <cstdio>

#include "support/device_use_record.h"
#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kWait = harness::kShowWait;
// The program's minute: a few of the hold's 2-second looks.
constexpr DWORD kMinute = 3000;
// A call ends: the reminder comes at the next look, within 2 seconds, and a little more
// for a loaded machine to open it.
constexpr DWORD kAfterTheCall = 3000;

class CallHoldTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        ShortenMinute(kMinute);
        WriteSetting(L"Options", L"Initialised", L"1");
        // A reminder due at the second minute, and no micropause in the way.
        WriteSetting(L"Micropause", L"InterruptEvery", L"1000");
        WriteSetting(L"Exercise", L"EveryM", L"2");
        WriteSetting(L"Exercise", L"Scheme", L"Test");
        WriteScheme(L"Test", {{FirstMediaFile(L".bmp"), L"Still", 30}});
    }
    // Whether the reminder shows within `ms`; the time it took.
    bool ReminderWithin(DWORD ms, DWORD* took = nullptr) {
        const DWORD from = GetTickCount();
        const bool shown = WaitUntil([&] { return ReminderWindow(running_.Id()) != nullptr; }, ms);
        if (took != nullptr) {
            *took = GetTickCount() - from;
        }
        return shown;
    }
};

TEST_F(CallHoldTest, AMicrophoneInUseHoldsADueReminderUntilItsUseEnds) {
    {
        DeviceUseRecord zoom(L"microphone", L"NonPackaged\\C:#Program Files#Zoom#bin#Zoom.exe");
        ASSERT_TRUE(zoom.Created());
        ASSERT_NO_FATAL_FAILURE(Start());
        // Due at the second minute, then held for a minute and more of looks.
        EXPECT_FALSE(ReminderWithin(3 * kMinute + kMinute / 2));
        zoom.End();
        DWORD took = 0;
        ASSERT_TRUE(ReminderWithin(kAfterTheCall, &took)) << took << " ms";
        std::printf("the reminder came %lu ms after the call ended\n", took);
        SaveScreenshot(L"call-ended-reminder");
        StopRilto(running_);
    }
    EXPECT_FALSE(KeyExists(kAccessManager)) << "the records are taken away";
}

// A packaged app's use of the camera holds a reminder as a desktop program's use of the
// microphone does, and holds nothing once holds for calls are off.
TEST_F(CallHoldTest, ACameraInUseHoldsUnlessHoldsForCallsAreOff) {
    DeviceUseRecord skype(L"webcam", L"Microsoft.SkypeApp_kzf8qxf38zg5c");
    ASSERT_TRUE(skype.Created());
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_FALSE(ReminderWithin(3 * kMinute + kMinute / 2));

    StopRilto(running_);
    WriteSetting(L"Hold", L"Calls", L"0");
    ASSERT_NO_FATAL_FAILURE(Start());
    DWORD took = 0;
    EXPECT_TRUE(ReminderWithin(2 * kMinute + kWait, &took)) << took << " ms";
}

}  // namespace
}  // namespace harness
