#include "engine/hold_probe_win.h"

#include <shellapi.h>

#include <string>

#include "common/handles_win.h"
#include "common/system_function_win.h"
#include "common/wide_text_win.h"

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

// A borderless full-screen window matches its monitor; a maximised one whose frame
// reaches past it on every side covers it too. One that leaves the taskbar showing
// stops short of the monitor's bottom (or whichever edge the taskbar is on).
bool CoversItsMonitor(HWND window) {
    if (!IsWindowVisible(window) || IsIconic(window) || IsShellWindow(window)) {
        return false;
    }
    RECT place{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &place) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return false;
    }
    const RECT& screen = monitor.rcMonitor;
    return place.left <= screen.left && place.top <= screen.top && place.right >= screen.right &&
           place.bottom >= screen.bottom;
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
