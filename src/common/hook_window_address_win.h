#pragma once
// Reaching a running copy through the handle it publishes in "tray". Header-only, so
// that shutdowntrigger uses it without linking anything of the program.

#include <windows.h>

#include <cstdint>

#include "common/handles_win.h"
#include "common/product.h"
#include "common/tray_handle.h"

namespace rilto {

// Window handles carry 32 significant bits and widen with their sign, as Windows
// passes them between 32- and 64-bit processes.
inline HWND HandleFromValue(std::uint32_t value) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(value)));
}

inline std::uint32_t ValueOfHandle(HWND hwnd) {
    return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hwnd));
}

// The handle names the hook window of a running copy, not some other program's
// window that has come to carry the same number.
inline bool IsHookWindow(HWND hwnd) {
    wchar_t name[64];
    return hwnd != nullptr && GetClassNameW(hwnd, name, 64) > 0 &&
           lstrcmpW(name, kHookWindowClass) == 0;
}

// The value "tray" holds now, as a reader parses it; 0 when there is none to read.
inline std::uint32_t PublishedTrayValue() {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kOptionsKeyW, 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return 0;
    }
    const UniqueKey key(raw);
    char buffer[kTrayBufferSize];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.get(), kTrayValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS) {
        return 0;
    }
    return ParseTrayHandle(buffer, size);
}

// The running copy's hook window for a value read from "tray", or null when the value
// names no window of a running copy.
inline HWND RunningCopyWindow(std::uint32_t trayValue) {
    const HWND hwnd = trayValue != 0 ? HandleFromValue(trayValue) : nullptr;
    return IsHookWindow(hwnd) ? hwnd : nullptr;
}

}  // namespace rilto
