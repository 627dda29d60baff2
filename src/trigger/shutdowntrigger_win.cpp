// shutdowntrigger: ends a running Rilto Micropause. Reads the handle of the
// program's hook window from the registry and sends it the shutdown key command.
// No arguments, no window, no output; the exit code is always 0.

#include <windows.h>

#include "common/hook_window_address_win.h"
#include "common/product.h"

namespace {

// After the send, a moment for the running copy to be gone.
constexpr DWORD kGraceMs = 1000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::uint32_t handle = rilto::PublishedTrayValue();
    if (handle != 0) {
        if (const HWND hwnd = rilto::RunningCopyWindow(handle)) {
            SendMessageW(hwnd, WM_KEYDOWN, rilto::kKeyShutdown, 0);
        }
        Sleep(kGraceMs);
    }
    return 0;
}
