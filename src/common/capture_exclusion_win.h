#pragma once
// Asking Windows to leave a break screen out of screen capture.

#include <windows.h>

#include "common/capture_exclusion.h"

namespace rilto {

// The version of Windows the program runs on, as ntdll tells it (GetVersionEx would
// give 6.2 to a program that does not claim the newest versions in its manifest).
WindowsVersion RunningWindowsVersion();

// Leaves `window`, a top-level window of this program, out of screen capture when
// `hide` is on and Windows knows the request; does nothing otherwise. The affinity asked
// for is kept in the window's property kCaptureAffinityProperty.
void KeepOutOfCapture(HWND window, bool hide);

}  // namespace rilto
