#pragma once
// Reaching a running copy through the handle it publishes in "tray". Header-only, so
// that shutdowntrigger uses it without linking anything of the program.

#include <windows.h>

#include <cstdint>

#include "common/product.h"

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

// The running copy's hook window for a value read from "tray", or null when the value
// names no window of a running copy.
inline HWND RunningCopyWindow(std::uint32_t trayValue) {
    const HWND hwnd = trayValue != 0 ? HandleFromValue(trayValue) : nullptr;
    return IsHookWindow(hwnd) ? hwnd : nullptr;
}

}  // namespace rilto
