// shutdowntrigger: ends a running Rilto Micropause. Reads the handle of the
// program's hook window from the registry and sends it the shutdown key command.
// No arguments, no window, no output; the exit code is always 0.

#include <windows.h>

#include "shell/hook_window_win.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::uint32_t handle = ReadTrayHandle();
    if (handle != 0) {
        const HWND hwnd = rilto::HandleFromValue(handle);
        if (rilto::IsHookWindow(hwnd)) {
            SendMessageA(hwnd, WM_KEYDOWN, kKeyShutdown, 0);
        }
        Sleep(kGraceMs);
    }
    return 0;
}
