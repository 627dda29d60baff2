#pragma once
// Synthetic input for the hook tests: harmless events that every low-level hook on
// the desktop sees. True when SendInput took all of them.

#include <windows.h>

namespace hooktest {

// A press and release of F24, a key no program acts on.
inline bool SendKey() {
    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_F24;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

// One pixel right and back, so the cursor stays where it was.
inline bool SendMouseMove() {
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dx = 1;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    in[1] = in[0];
    in[1].mi.dx = -1;
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

}  // namespace hooktest
