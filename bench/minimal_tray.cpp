// The least a tray program of rilto32's shape can be, for the idle bench to measure
// rilto32 against: a hidden main window with a tray icon, one dialog made hidden at
// start-up and kept, and two timers with the periods rilto32 keeps running while idle
// (the minute and the idle poll of the default 15 seconds). It sets the named event
// below as its message loop starts, and ends on WM_CLOSE to its main window.

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"RiltoMinimalTray";
constexpr wchar_t kReadyEvent[] = L"RiltoMinimalTrayReady";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kMinuteTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr UINT kMinuteMs = 60000;
constexpr UINT kPollMs = 15000;

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
        case kTrayMessage:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) {
        CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        10, 10, 75, 23, hwnd, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        ShowWindow(hwnd, SW_HIDE);
        return TRUE;
    }
    return FALSE;
}

// A dialog template with no controls of its own: style, no menu, the default class,
// no title. DLGTEMPLATE and its three words, WORD-aligned as the template wants.
std::vector<WORD> EmptyDialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t->cx = 200;
    t->cy = 100;
    return words;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (RegisterClassW(&wc) == 0) {
        return 1;
    }
    const HWND main = CreateWindowExW(0, kClassName, L"Minimal tray", WS_OVERLAPPEDWINDOW, 0, 0,
                                      100, 100, nullptr, nullptr, instance, nullptr);
    if (main == nullptr) {
        return 1;
    }
    std::vector<WORD> dialogTemplate = EmptyDialogTemplate();
    const HWND dialog = CreateDialogIndirectParamW(
        instance, reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data()), nullptr, DialogProc, 0);

    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = main;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon.szTip, L"Minimal tray", ARRAYSIZE(icon.szTip));
    Shell_NotifyIconW(NIM_ADD, &icon);

    SetTimer(main, kMinuteTimer, kMinuteMs, nullptr);
    SetTimer(main, kPollTimer, kPollMs, nullptr);

    if (const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kReadyEvent); ready != nullptr) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (dialog != nullptr && IsDialogMessageW(dialog, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
