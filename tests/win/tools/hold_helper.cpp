// Another program on the desktop, for the hold probe's test: one window that covers the
// whole primary monitor, in front, until the process is ended.
//   hold_helper [class]    the window's class: "Progman" to stand in for the desktop,
//                          say; a class of its own when none is given
// The window's title is "Rilto hold helper".

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    const std::wstring windowClass =
        arguments != nullptr && *arguments != L'\0' ? arguments : L"RiltoHoldHelper";
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = windowClass.c_str();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (RegisterClassW(&wc) == 0) {
        return 1;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& r = monitor.rcMonitor;
    const HWND window = CreateWindowExW(0, windowClass.c_str(), L"Rilto hold helper",
                                        WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                        r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    SetForegroundWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return 0;
}
