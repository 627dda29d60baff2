#include "common/dpi_win.h"

namespace rilto {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: older Windows lacks the function.
GetDpiForWindowFn DpiForWindowFunction() {
    static const GetDpiForWindowFn fn =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}

}  // namespace

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT DpiOfWindow(HWND hwnd) {
    if (const GetDpiForWindowFn fn = DpiForWindowFunction(); fn != nullptr && hwnd != nullptr) {
        if (const UINT dpi = fn(hwnd); dpi > 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

}  // namespace rilto
