#include "common/dpi_win.h"

#include "common/system_function_win.h"

namespace rilto {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: older Windows lacks the function.
GetDpiForWindowFn DpiForWindowFunction() {
    static const auto fn = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    return fn;
}

}  // namespace

int ScaledToDpi(int length96, UINT dpi) {
    return MulDiv(length96, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

LONG FontHeightAt(int points, UINT dpi) {
    constexpr int kPointsPerInch = 72;
    return -MulDiv(points, static_cast<int>(dpi), kPointsPerInch);
}

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
        font.lfHeight = FontHeightAt(8, dpi);
    }
    return font;
}

}  // namespace rilto
