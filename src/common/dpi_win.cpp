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

LOGFONTW MessageFontAt(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
        // The system measures it at its own DPI; this monitor may have another.
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    } else {
        lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
        font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    }
    return font;
}

}  // namespace rilto
