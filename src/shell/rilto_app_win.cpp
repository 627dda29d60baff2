#include "shell/rilto_app_win.h"

#include "shell/command_line.h"
#include "shell/first_run.h"
#include "shell/first_run_host_win.h"
#include "shell/hook_window_class.h"
#include "shell/resource.h"
#include "shell/settings_loader.h"
#include "shell/single_instance_win.h"
#include "shell/system_win.h"
#include "shell/text.h"
#include "shell/version.h"
#include "shell/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kAlreadyRunning[] = L"Rilto Micropause is already running in the System Tray";
constexpr wchar_t kAlreadyRunningTitle[] = L"Rilto";

// Window handles carry 32 significant bits; "tray" holds them as unsigned decimal.
std::string HandleText(HWND hwnd) {
    return std::to_string(static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hwnd)));
}

HWND HandleFromText(const std::string& text) {
    const auto value = ParseDecimal(text);
    if (!value || *value == 0 || *value < INT32_MIN || *value > UINT32_MAX) {
        return nullptr;
    }
    // Widen with the sign, as Windows does for handles passed between processes.
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(bits));
}

// The handle names the hook window of a running copy, not some other program's window.
bool IsHookWindow(HWND hwnd) {
    wchar_t name[64];
    return GetClassNameW(hwnd, name, 64) > 0 && lstrcmpW(name, kHookWindowClass) == 0;
}

}  // namespace

RiltoApp::RiltoApp(HINSTANCE instance) : instance_(instance), frmRilto_(instance, *this) {}

int RiltoApp::Run(const std::string& arguments) {
    const SingleInstance instance;
    if (instance.AlreadyRunning()) {
        HandOverToRunningCopy(arguments);
        return 0;
    }
    if (IsShutdownArgument(arguments)) {
        return 0;  // no running copy to stop
    }
    if (!Startup()) {
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!frmRilto_.PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    Unload();
    return 0;
}

void RiltoApp::HandOverToRunningCopy(const std::string& arguments) {
    const HWND target = HandleFromText(store_.GetSetting(kOptions, "tray", 0));
    if (target == nullptr || !IsHookWindow(target)) {
        MessageBoxW(nullptr, kAlreadyRunning, kAlreadyRunningTitle, MB_OK);
        return;
    }
    // Waits until the running copy has handled it: for the menu, until it closes.
    SendMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(SecondStartKeyCode(arguments)), 0);
}

bool RiltoApp::Startup() {
    if (!frmRilto_.Create()) {
        return false;
    }
    frmRilto_.SetCaption(IDC_LBLVERSION, VersionLabel());
    store_.SaveSetting(kOptions, "tray", HandleText(frmRilto_.pichook()));

    WinFirstRunHost host;
    FirstTimeInitialise(store_, host);

    LayOutMicropauseScreen();

    settings_ = LoadSettings(store_);
    frmRilto_.SetCaption(IDC_LBLWARNING, settings_.Warning);

    ShowWindow(frmRilto_.hwnd(), SW_HIDE);
    store_.SaveSetting(kOptions, "AppPath", ProgramFolder());
    return true;
}

void RiltoApp::LayOutMicropauseScreen() {
    const HWND form = frmRilto_.hwnd();
    RECT r;
    GetWindowRect(form, &r);
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(form, nullptr, (screenW - (r.right - r.left)) / 2,
                 (screenH - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Cancel stays on the form, out of sight: ESC presses it.
    SetWindowPos(frmRilto_.Control(IDCANCEL), nullptr, 2 * screenW, 2 * screenH, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(frmRilto_.Control(IDC_PICPB), SW_HIDE);
    // OK centred in the panel.
    RECT panel;
    RECT ok;
    GetClientRect(frmRilto_.picBlack(), &panel);
    const HWND okButton = frmRilto_.Control(IDOK);
    GetWindowRect(okButton, &ok);
    MapWindowPoints(nullptr, frmRilto_.picBlack(), reinterpret_cast<POINT*>(&ok), 2);
    SetWindowPos(okButton, nullptr, (panel.right - (ok.right - ok.left)) / 2, ok.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RiltoApp::Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    store_.SaveSetting(kOptions, "tray", "0");
}

void RiltoApp::ShutdownNow() {
    // Ends at once: no unload, so "tray" keeps its handle.
    ExitProcess(0);
}

void RiltoApp::OnHookKey(unsigned keyCode) {
    if (keyCode == kKeyShutdown) {
        ShutdownNow();
    }
}

void RiltoApp::OnTrayNotify(unsigned) {}

void RiltoApp::OnTimer(UINT_PTR) {}

void RiltoApp::OnCommand(int id, int) {
    if (id == IDOK) {
        ShowWindow(frmRilto_.hwnd(), SW_RESTORE);
        ShowWindow(frmRilto_.hwnd(), SW_HIDE);
    }
}

void RiltoApp::OnBroadcast(UINT) {}

void RiltoApp::OnEndSession() {
    Unload();
}

}  // namespace rilto
