#include "engine/hold_probe_win.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>

#include "common/handles_win.h"
#include "common/system_function_win.h"
#include "common/wide_text_win.h"
#include "engine/calls_win.h"

namespace rilto {

namespace {

// Windows' own windows that fill a monitor without anyone presenting: the desktop
// (with or without a wallpaper slide show) and the taskbars.
constexpr const wchar_t* kShellClasses[] = {L"Progman", L"WorkerW", L"Shell_TrayWnd",
                                            L"Shell_SecondaryTrayWnd"};

// Longer than any path Windows can give a process, in characters.
constexpr std::size_t kLongestPath = 32'768;

bool IsShellWindow(HWND window) {
    // The desktop window itself is in front when nothing else is (and is all there is
    // where no shell runs).
    if (window == GetDesktopWindow() || window == GetShellWindow()) {
        return true;
    }
    wchar_t name[64] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    for (const wchar_t* shell : kShellClasses) {
        if (lstrcmpiW(name, shell) == 0) {
            return true;
        }
    }
    return false;
}

ScreenRect ScreenRectOf(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// A maximised window's frame reaches past every edge of its monitor, so the window's
// rectangle says nothing: the decision goes by its title bar, its state and its client
// area.
bool CoversItsMonitor(HWND window) {
    if (!IsWindowVisible(window) || IsIconic(window) || IsShellWindow(window)) {
        return false;
    }
    const std::optional<WindowShape> shape = ShapeOf(window);
    return shape && IsFullScreen(*shape);
}

// The file name of the process's program, "powerpnt.exe"; empty when Windows does not
// say (a process of another user or a protected one, say).
std::string ProgramOf(DWORD processId) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        auto length = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) {
            path.resize(length);
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kLongestPath) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return Narrow(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

int NotificationState() {
    QUERY_USER_NOTIFICATION_STATE state{};
    return SUCCEEDED(SHQueryUserNotificationState(&state)) ? static_cast<int>(state) : 0;
}

}  // namespace

std::optional<WindowShape> ShapeOf(HWND window) {
    RECT client{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetClientRect(window, &client) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return std::nullopt;
    }
    // Both corners onto the screen; a mirrored window swaps left and right.
    SetLastError(ERROR_SUCCESS);
    if (MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2) == 0 &&
        GetLastError() != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (client.left > client.right) {
        std::swap(client.left, client.right);
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    WindowShape shape;
    shape.client = ScreenRectOf(client);
    shape.monitor.area = ScreenRectOf(monitor.rcMonitor);
    shape.monitor.workArea = ScreenRectOf(monitor.rcWork);
    shape.monitor.primary = (monitor.dwFlags & MONITORINFOF_PRIMARY) != 0;
    shape.caption = (style & WS_CAPTION) == WS_CAPTION;
    shape.maximised = IsZoomed(window) || (style & WS_MAXIMIZE) != 0;
    return shape;
}

WinHoldProbe::WinHoldProbe()
    : queryWnfStateData_(FunctionFrom<QueryWnfStateDataFn>(GetModuleHandleW(L"ntdll.dll"),
                                                           "NtQueryWnfStateData")) {}

ForegroundView WinHoldProbe::Look() {
    ForegroundView view;
    view.notificationState = NotificationState();
    view.focusAssist = FocusAssistOn();
    const HWND front = GetForegroundWindow();
    DWORD processId = 0;
    // The program's own windows (the micropause screen covers the monitor) never hold a
    // break.
    if (front != nullptr && GetWindowThreadProcessId(front, &processId) != 0 &&
        processId != GetCurrentProcessId()) {
        view.coversMonitor = CoversItsMonitor(front);
        view.program = ProgramOf(processId);
    }
    return view;
}

std::vector<DeviceUse> WinHoldProbe::DevicesInUse() {
    return DevicesInUseNow();
}

// Focus Assist (formerly "quiet hours") has no documented reader. Windows 10 and 11
// publish its active profile in the notification state
// WNF_SHEL_QUIETHOURS_ACTIVE_PROFILE_CHANGED, a DWORD: 0 off, 1 priority only, 2 alarms
// only, which ntdll's NtQueryWnfStateData reads. Where the function is missing (Wine,
// older Windows), or the state cannot be read, Focus Assist counts as off; the other
// signs of a presentation still hold breaks.
bool WinHoldProbe::FocusAssistOn() const {
    if (queryWnfStateData_ == nullptr) {
        return false;
    }
    static constexpr WnfStateName kQuietHoursProfile{{0xA3BF1C75, 0x0D83063E}};
    ULONG changeStamp = 0;
    DWORD profile = 0;
    ULONG size = sizeof profile;
    const LONG status =
        queryWnfStateData_(&kQuietHoursProfile, nullptr, nullptr, &changeStamp, &profile, &size);
    return status >= 0 && size == sizeof profile && profile != 0;
}

}  // namespace rilto
