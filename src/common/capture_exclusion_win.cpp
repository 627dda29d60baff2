#include "common/capture_exclusion_win.h"

#include "common/system_function_win.h"
#include "common/trace_win.h"

namespace rilto {

WindowsVersion RunningWindowsVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion =
        FunctionFrom<RtlGetVersionFn>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != 0) {
        return {};
    }
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

void KeepOutOfCapture(HWND window, bool hide) {
    static const WindowsVersion windows = RunningWindowsVersion();
    const auto affinity = CaptureAffinity(hide, windows);
    if (!affinity || window == nullptr) {
        return;
    }
    // What the program asks, kept where other programs can read it, even where Windows
    // lacks the call; the property asks nothing of the program's resources, and Windows
    // drops it with the window.
    SetPropW(window, kCaptureAffinityProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(*affinity)));
    using SetAffinityFn = BOOL(WINAPI*)(HWND, DWORD);
    static const auto setAffinity = User32Function<SetAffinityFn>("SetWindowDisplayAffinity");
    if (setAffinity == nullptr || !setAffinity(window, *affinity)) {
        TraceLastError("Windows would not leave a break screen out of screen capture");
    }
}

}  // namespace rilto
