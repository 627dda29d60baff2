#pragma once
// Where the micropause screen goes. The Win32 side asks the system for its monitors and
// hands them here, so the placing rules are tested without a desktop.

#include <vector>

namespace rilto {

// Screen coordinates in pixels; right and bottom lie just outside, as in a RECT.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct Monitor {
    ScreenRect area;
    ScreenRect workArea;  // the area less the task bar
    bool primary = false;
};

// "Blank" blacks out the whole desktop: the main screen covers the primary monitor and
// each other monitor gets a plain black cover.
struct BlankScreens {
    ScreenRect main;
    std::vector<ScreenRect> covers;
};

// With no monitors, main is empty and there are no covers: the caller then uses the
// system's screen metrics.
BlankScreens PlanBlankScreens(const std::vector<Monitor>& monitors);

// A window of this size centred in `area`; one larger than the area keeps to its left
// or top edge.
ScreenRect CentredIn(const ScreenRect& area, int width, int height);

// The screen at its normal size, centred in the primary monitor's work area; with no
// monitors, at 0,0.
ScreenRect NormalPlace(const std::vector<Monitor>& monitors, int width, int height);

}  // namespace rilto
