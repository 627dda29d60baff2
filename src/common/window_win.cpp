#include "common/window_win.h"

#include <string>

#include "common/guarded_call_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"

namespace rilto {

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    if (hwnd_ != nullptr) {
        const HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

bool Window::CreateWindowOf(const wchar_t* windowClass, DWORD exStyle, DWORD style, RECT place,
                            HWND parent, int childId) {
    const HMENU menuOrId =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
    const HWND created = CreateWindowExW(exStyle, windowClass, L"", style, place.left, place.top,
                                         place.right - place.left, place.bottom - place.top, parent,
                                         menuOrId, ThisModule(), this);
    if (created == nullptr) {
        TraceLastError("cannot create a window of class " + Narrow(windowClass));
        return false;
    }
    return true;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    const LRESULT result = GuardedCall(
        "a window message", [&] { return self->HandleMessage(msg, wp, lp); },
        [&] { return DefWindowProcW(hwnd, msg, wp, lp); });
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

bool RegisterWindowClass(const WindowClass& windowClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = Window::Procedure;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.hIcon = windowClass.icon;
    wc.lpszClassName = windowClass.name;
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        return true;
    }
    TraceLastError("cannot register the window class " + Narrow(windowClass.name));
    return false;
}

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

std::string WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void SetWindowTextTo(HWND hwnd, const std::string& text) {
    SetWindowTextW(hwnd, Widen(text).c_str());
}

}  // namespace rilto
