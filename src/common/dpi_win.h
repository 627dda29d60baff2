#pragma once
// The resolution a window is drawn at. The program is aware of each monitor's own
// resolution, so this can differ between windows and change while one lives.

#include <windows.h>

namespace rilto {

inline constexpr UINT kBaseDpi = 96;

// A length designed at 96 DPI, at `dpi`.
int ScaledToDpi(int length96, UINT dpi);
// A LOGFONT height for a font of `points` at `dpi`: negative, a character height.
LONG FontHeightAt(int points, UINT dpi);
// The DPI of the monitor the window is on (Windows 10 1607 on), or the system's DPI.
UINT DpiOfWindow(HWND hwnd);
// The system's DPI: what fonts from the system's settings are measured in.
UINT SystemDpi();
// The system's message font (what dialogs and message boxes use), sized for `dpi`.
LOGFONTW MessageFontAt(UINT dpi);

}  // namespace rilto
