// What Windows itself says of the session, as the program asks it: the latest input,
// which moves with input sent to the session, and the lock, which an unlocked session
// must never report as locked (where Windows cannot tell, the program hears nothing).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/system_input_win.h"
#include "support/harness.h"
#include "tools/input_sender.h"

namespace {

constexpr DWORD kWait = 5000;

TEST(SystemInput, TheLatestInputMovesWithInputSent) {
    rilto::WinSystemInput input;
    const std::uint32_t before = input.LastInputTick();
    Sleep(50);
    ASSERT_TRUE(hooktest::SendKey());
    EXPECT_TRUE(harness::WaitUntil([&] { return input.LastInputTick() != before; }, kWait));
    EXPECT_LE(GetTickCount() - input.LastInputTick(), kWait);
}

TEST(SystemInput, AnUnlockedSessionIsNeverSaidToBeLocked) {
    rilto::WinSystemInput input;
    const std::optional<bool> locked = input.SessionLocked();
    EXPECT_NE(locked, std::optional<bool>(true));
    std::printf("The session's lock: %s\n",
                !locked ? "Windows cannot tell" : (*locked ? "locked" : "unlocked"));
}

}  // namespace
