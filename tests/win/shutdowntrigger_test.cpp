// shutdowntrigger against a running rilto32, with every form "tray" can take.

#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"

using namespace harness;

namespace {

constexpr DWORD kExitWait = 15000;

std::optional<DWORD> RunTrigger() {
    Process trigger(BinPath(L"shutdowntrigger.exe"), L"");
    return trigger.WaitExit(kExitWait);
}

class Trigger : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        running_ = StartRilto();
        ASSERT_TRUE(running_.Running());
        hook_ = TrayWindow();
    }
    void TearDown() override {
        WriteSetting(L"Options", L"tray", Decimal(hook_));
        StopRilto(running_);
        ClearStore();
    }
    Process running_;
    HWND hook_ = nullptr;
};

TEST_F(Trigger, EndsTheRunningCopyAndExitsWithZero) {
    const std::wstring published = Decimal(hook_);
    EXPECT_EQ(RunTrigger(), 0u);
    EXPECT_TRUE(running_.WaitExit(kExitWait).has_value());
    EXPECT_EQ(ReadSetting(L"Options", L"tray"), published);
}

TEST_F(Trigger, ReadsTheLeadingDigitsAfterBlanks) {
    WriteSetting(L"Options", L"tray", L"   " + Decimal(hook_));
    EXPECT_EQ(RunTrigger(), 0u);
    EXPECT_TRUE(running_.WaitExit(kExitWait).has_value());
}

TEST_F(Trigger, ReadsTheDigitsBeforeOtherCharacters) {
    WriteSetting(L"Options", L"tray", Decimal(hook_) + L"abc");
    EXPECT_EQ(RunTrigger(), 0u);
    EXPECT_TRUE(running_.WaitExit(kExitWait).has_value());
}

TEST_F(Trigger, SendsNothingWithoutAHandle) {
    const std::wstring longText(1100, L'7');
    for (int variant = 0; variant < 5; ++variant) {
        switch (variant) {
            case 0:
                WriteSetting(L"Options", L"tray", L"0");
                break;
            case 1:
                WriteSetting(L"Options", L"tray", L"abc");
                break;
            case 2:
                DeleteSetting(L"Options", L"tray");
                break;
            case 3:
                DeleteSection(L"Options");
                break;
            case 4:
                WriteSetting(L"Options", L"tray", longText);
                break;  // beyond the buffer
        }
        EXPECT_EQ(RunTrigger(), 0u) << variant;
        PumpFor(300);
        EXPECT_TRUE(running_.Running()) << variant;
    }
}

TEST_F(Trigger, AnotherProgramsWindowReceivesNothing) {
    OtherProgramWindow foreign;
    WriteSetting(L"Options", L"tray", Decimal(foreign.hwnd()));
    EXPECT_EQ(RunTrigger(), 0u);
    PumpFor(200);
    EXPECT_EQ(foreign.AllKeyDowns(), 0);
    EXPECT_TRUE(running_.Running());
}

TEST_F(Trigger, AStaleHandleOfAnEndedCopyStillExitsWithZero) {
    // An abnormal end leaves the handle behind.
    running_.Kill();
    EXPECT_EQ(RunTrigger(), 0u);
}

}  // namespace
