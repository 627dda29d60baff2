// Which window in front is a full-screen one: never a maximised or captioned window,
// however far its frame reaches; a captionless window whose client area covers the whole
// monitor, taskbar and all.

#include "engine/full_screen.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

// A 1920 x 1080 monitor right of the primary one, with a 40-pixel taskbar at the bottom.
constexpr ScreenRect kMonitor{1920, 0, 3840, 1080};
constexpr ScreenRect kWorkArea{1920, 0, 3840, 1040};

WindowShape Shape(ScreenRect client, bool caption, bool maximised = false) {
    WindowShape w;
    w.client = client;
    w.monitor.area = kMonitor;
    w.monitor.workArea = kWorkArea;
    w.caption = caption;
    w.maximised = maximised;
    return w;
}

TEST(FullScreen, AMaximisedWindowIsNeverFullScreen) {
    // A maximised editor on a monitor without a taskbar: its frame 8 pixels past each
    // edge, its client area below the title bar.
    const ScreenRect frame{kMonitor.left - 8, kMonitor.top - 8, kMonitor.right + 8,
                           kMonitor.bottom + 8};
    const ScreenRect client{kMonitor.left, kMonitor.top + 23, kMonitor.right, kMonitor.bottom};
    EXPECT_FALSE(IsFullScreen(Shape(client, true, true)));
    // The captioned window placed there by hand, not maximised, nor its client as big.
    EXPECT_FALSE(IsFullScreen(Shape(client, true)));
    EXPECT_FALSE(IsFullScreen(Shape(frame, true)));
    EXPECT_FALSE(IsFullScreen(Shape(kMonitor, true)));
    // Maximised without a title bar, covering the monitor: still a working window.
    EXPECT_FALSE(IsFullScreen(Shape(kMonitor, false, true)));
    EXPECT_FALSE(IsFullScreen(Shape(frame, false, true)));
}

TEST(FullScreen, ACaptionlessWindowOverTheWholeMonitorIs) {
    EXPECT_TRUE(IsFullScreen(Shape(kMonitor, false)));
    // Past the edges, as some games place themselves.
    EXPECT_TRUE(IsFullScreen(Shape(
        {kMonitor.left - 1, kMonitor.top - 1, kMonitor.right + 1, kMonitor.bottom + 1}, false)));
}

// The work area leaves the taskbar out: a window that covers only that leaves the taskbar
// showing, and is no full-screen window, short of the monitor by a pixel or by the bar.
// (Wine's work area is always the whole screen: only here can the two differ.)
TEST(FullScreen, ACaptionlessWindowShortOfAnyEdgeIsNot) {
    EXPECT_FALSE(IsFullScreen(Shape(kWorkArea, false)));
    const ScreenRect shortBy[] = {
        {kMonitor.left + 1, kMonitor.top, kMonitor.right, kMonitor.bottom},
        {kMonitor.left, kMonitor.top + 1, kMonitor.right, kMonitor.bottom},
        {kMonitor.left, kMonitor.top, kMonitor.right - 1, kMonitor.bottom},
        {kMonitor.left, kMonitor.top, kMonitor.right, kMonitor.bottom - 1},
    };
    for (const ScreenRect& client : shortBy) {
        EXPECT_FALSE(IsFullScreen(Shape(client, false)))
            << client.left << "," << client.top << "," << client.right << "," << client.bottom;
    }
    // The primary monitor's whole rectangle, while the window is on the second one.
    EXPECT_FALSE(IsFullScreen(Shape({0, 0, 1920, 1080}, false)));
}

TEST(FullScreen, NoMonitorIsNoFullScreen) {
    WindowShape w = Shape(kMonitor, false);
    w.monitor = {};
    w.monitor.workArea = kMonitor;
    EXPECT_FALSE(IsFullScreen(w));
}

}  // namespace
}  // namespace rilto
