#include "engine/screen_layout.h"

#include <algorithm>

namespace rilto {

namespace {

bool Contains(const ScreenRect& outer, const ScreenRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The flagged monitor; failing that (an odd driver), the one holding the origin, which
// is where the primary always sits; failing that, the first. Null only for no monitors.
const Monitor* Primary(const std::vector<Monitor>& monitors) {
    for (const Monitor& m : monitors) {
        if (m.primary) {
            return &m;
        }
    }
    for (const Monitor& m : monitors) {
        if (Contains(m.area, {0, 0, 1, 1})) {
            return &m;
        }
    }
    return monitors.empty() ? nullptr : &monitors.front();
}

// Offset that centres `size` in `span`, or 0 when it does not fit.
int CentreOffset(int span, int size) {
    return std::max(0, (span - size) / 2);
}

}  // namespace

BlankScreens PlanBlankScreens(const std::vector<Monitor>& monitors) {
    BlankScreens plan;
    const Monitor* primary = Primary(monitors);
    if (primary == nullptr) {
        return plan;
    }
    plan.main = primary->area;
    for (const Monitor& m : monitors) {
        if (&m == primary || m.area.empty()) {
            continue;
        }
        // Mirrored and cloned displays report an area another one already shows; a second
        // window there would only stack on the first.
        bool covered = Contains(plan.main, m.area) ||
                       std::any_of(plan.covers.begin(), plan.covers.end(),
                                   [&](const ScreenRect& c) { return Contains(c, m.area); });
        if (!covered) {
            plan.covers.push_back(m.area);
        }
    }
    return plan;
}

ScreenRect CentredIn(const ScreenRect& area, int width, int height) {
    int left = area.left + CentreOffset(area.width(), width);
    int top = area.top + CentreOffset(area.height(), height);
    return {left, top, left + width, top + height};
}

ScreenRect NormalPlace(const std::vector<Monitor>& monitors, int width, int height) {
    const Monitor* primary = Primary(monitors);
    if (primary == nullptr) {
        return CentredIn({}, width, height);
    }
    return CentredIn(primary->workArea, width, height);
}

}  // namespace rilto
