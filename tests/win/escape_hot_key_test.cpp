// ESC as a hot key, with real key presses: two owners on one thread, as the micropause
// screen and the exercise player are, never take it from each other for good.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "engine/escape_hot_key_win.h"
#include "support/harness.h"

namespace {

using harness::OtherProgramWindow;

TEST(EscapeHotKey, TheLastOwnerToCatchEscapeHoldsItUntilItLetsGo) {
    OtherProgramWindow first;
    OtherProgramWindow second;
    OtherProgramWindow focus(true);
    ASSERT_TRUE(focus.TakeForeground());
    std::map<HWND, int> caught;
    const auto press = [&] {
        harness::PressKey(VK_ESCAPE);
        harness::PumpFor(300, [&](MSG* msg) {
            if (msg->message != WM_HOTKEY || !rilto::EscapeHotKey::IsEscape(msg->wParam)) {
                return false;
            }
            ++caught[msg->hwnd];
            return true;
        });
    };
    {
        rilto::EscapeHotKey a;
        rilto::EscapeHotKey b;
        a.Catch(first.hwnd());
        b.Catch(second.hwnd());
        press();
        EXPECT_EQ(caught[second.hwnd()], 1);
        EXPECT_EQ(caught[first.hwnd()], 0);
        // The first owner gets it back when the second lets go.
        b.Release();
        press();
        EXPECT_EQ(caught[first.hwnd()], 1);
        EXPECT_EQ(caught[second.hwnd()], 1);
    }
    // Gone with its owner: ESC goes where the focus is.
    press();
    EXPECT_EQ(focus.KeyDowns(VK_ESCAPE), 1);
    EXPECT_EQ(caught[first.hwnd()], 1);
}

}  // namespace
