// shutdowntrigger: ends a running Rilto Micropause. Reads the handle of the
// program's hook window from the registry and sends it the shutdown key command.
// No arguments, no window, no output; the exit code is always 0.

#include <windows.h>

#include "common/handles_win.h"
#include "common/hook_window_address_win.h"
#include "common/product.h"
#include "common/tray_handle.h"

namespace {

// After the send, a moment for the running copy to be gone.
constexpr DWORD kGraceMs = 1000;

std::uint32_t ReadTrayHandle() {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, rilto::kOptionsKeyW, 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return 0;
    }
    const rilto::UniqueKey key(raw);
    char buffer[rilto::kTrayBufferSize];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.get(), rilto::kTrayValue, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return 0;
    }
    return rilto::ParseTrayHandle(buffer, size);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::uint32_t handle = ReadTrayHandle();
    if (handle != 0) {
        if (const HWND hwnd = rilto::RunningCopyWindow(handle)) {
            SendMessageW(hwnd, WM_KEYDOWN, rilto::kKeyShutdown, 0);
        }
        Sleep(kGraceMs);
    }
    return 0;
}
