#pragma once
// Whether a window in front is a full-screen one: a game, a slide show, a video. A window
// with a title bar, or one maximised, is a working window, however far its frame reaches
// past the monitor's edges (a maximised window's does, by its border, on every side);
// full screen is a window without a title bar whose client area covers the whole monitor,
// taskbar and all.

#include "engine/screen_layout.h"

namespace rilto {

// What the decision needs of a window, as Windows reports it.
struct WindowShape {
    // The client area, on the screen.
    ScreenRect client;
    // The monitor the window is on: its whole area decides, not its work area.
    Monitor monitor;
    // A title bar (WS_CAPTION).
    bool caption = false;
    // Maximised (IsZoomed, WS_MAXIMIZE).
    bool maximised = false;
};

bool IsFullScreen(const WindowShape& window);

}  // namespace rilto
