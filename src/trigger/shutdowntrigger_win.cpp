// shutdowntrigger: ends a running Rilto Micropause. Reads the handle of the
// program's hook window from the registry and sends it the shutdown key command.
// No arguments, no window, no output; the exit code is always 0.

#include <windows.h>

#include "shell/hook_window_class.h"
#include "trigger/tray_value.h"

namespace {

constexpr char kOptionsKey[] = "Software\\VB and VBA Program Settings\\Rilto Micropause\\Options";
constexpr WPARAM kKeyShutdown = 99;
constexpr DWORD kGraceMs = 1000;

std::uint32_t ReadTrayHandle() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    char buffer[rilto::trigger::kTrayBufferSize];
    DWORD size = sizeof buffer;
    const LONG rc =
        RegQueryValueExA(key, "tray", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        return 0;
    }
    return rilto::trigger::ParseTrayHandle(buffer, size);
}

// A stale handle may by now belong to another program's window.
bool IsHookWindow(HWND hwnd) {
    wchar_t name[64];
    return GetClassNameW(hwnd, name, 64) > 0 && lstrcmpW(name, rilto::kHookWindowClass) == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::uint32_t handle = ReadTrayHandle();
    if (handle != 0) {
        // Window handles carry 32 significant bits and widen with their sign.
        const HWND hwnd =
            reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(handle)));
        if (IsHookWindow(hwnd)) {
            SendMessageA(hwnd, WM_KEYDOWN, kKeyShutdown, 0);
        }
        Sleep(kGraceMs);
    }
    return 0;
}
