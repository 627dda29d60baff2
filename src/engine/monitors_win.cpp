#include "engine/monitors_win.h"

#include <windows.h>

#include "common/guarded_call_win.h"

namespace rilto {

namespace {

ScreenRect FromRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM lp) {
    return GuardedCall(
        "listing a monitor",
        [&] {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                auto* monitors = reinterpret_cast<std::vector<Monitor>*>(lp);
                monitors->push_back(Monitor{FromRect(info.rcMonitor), FromRect(info.rcWork),
                                            (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
            }
            return TRUE;
        },
        [] { return TRUE; });
}

}  // namespace

std::vector<Monitor> CurrentMonitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        // Never seen, but then the primary screen's metrics are all there is.
        const ScreenRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        monitors.push_back(Monitor{screen, screen, true});
    }
    return monitors;
}

}  // namespace rilto
