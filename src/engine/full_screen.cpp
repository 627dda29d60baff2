#include "engine/full_screen.h"

namespace rilto {

namespace {

bool Covers(const ScreenRect& outer, const ScreenRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

}  // namespace

bool IsFullScreen(const WindowShape& window) {
    if (window.caption || window.maximised || window.monitor.area.empty()) {
        return false;
    }
    return Covers(window.client, window.monitor.area);
}

}  // namespace rilto
