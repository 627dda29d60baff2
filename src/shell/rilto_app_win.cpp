#include "shell/rilto_app_win.h"

#include <mmsystem.h>

#include "shell/command_line.h"
#include "shell/first_run.h"
#include "shell/first_run_host_win.h"
#include "common/hook_window_address_win.h"
#include "shell/resource.h"
#include "common/settings_loader.h"
#include "shell/single_instance_win.h"
#include "common/program_folder_win.h"
#include "common/text.h"
#include "common/version.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

// Timers of the main form.
constexpr UINT_PTR kTimerMinutes = 1;
constexpr UINT_PTR kTimerSeconds = 2;
constexpr UINT_PTR kTimerTrayRetry = 3;
// At log-on the taskbar may not be there yet: try the icon again for a minute.
constexpr std::uint32_t kTrayRetryMs = 2000;
constexpr int kTrayAttempts = 30;
// Posted to the form to tell the user, once start-up is done, that the hook
// library is missing.
constexpr UINT kMsgHookMissing = WM_APP + 1;

// "tray" holds the handle as unsigned decimal.
std::string HandleText(HWND hwnd) {
    return std::to_string(ValueOfHandle(hwnd));
}

HWND HandleFromText(const std::string& text) {
    const auto value = ParseDecimal(text);
    if (!value || *value == 0 || *value < INT32_MIN || *value > UINT32_MAX) {
        return nullptr;
    }
    return HandleFromValue(static_cast<std::uint32_t>(*value));
}

RECT WindowRectIn(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

RiltoApp::RiltoApp(HINSTANCE instance)
    : instance_(instance),
      frmRilto_(instance, *this),
      tMinutes_(kTimerMinutes),
      tSeconds_(kTimerSeconds),
      trayRetry_(kTimerTrayRetry),
      hook_([this] { PostMessageW(frmRilto_.hwnd(), kMsgHookMissing, 0, 0); }),
      sounds_(sound_, settings_, ProgramFolder()),
      scheduler_(SchedulerPorts{settings_, tMinutes_, tSeconds_, hook_, clock_, progressBar_,
                                sounds_, frmRilto_}),
      trayMenu_(instance),
      trayNotifications_([] {}, [this] { ShowTrayMenu(); }) {}

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
        if (msg.message == kMsgHookMissing) {
            MessageBoxW(nullptr, Widen(kNoHookLibrary).c_str(), Widen(kProductTitle).c_str(),
                        MB_OK | MB_ICONWARNING);
            continue;
        }
        if (!frmRilto_.PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

void RiltoApp::HandOverToRunningCopy(const std::string& arguments) {
    const HWND target = HandleFromText(store_.GetSetting(kOptions, "tray", 0));
    if (target == nullptr || !IsHookWindow(target)) {
        MessageBoxW(nullptr, Widen(kAlreadyRunning).c_str(), Widen(kAlreadyRunningTitle).c_str(),
                    MB_OK);
        return;
    }
    // Waits until the running copy has handled it: for the menu, until it closes.
    SendMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(SecondStartKeyCode(arguments)), 0);
}

bool RiltoApp::Startup() {
    if (!frmRilto_.Create()) {
        return false;
    }
    const HWND form = frmRilto_.hwnd();
    for (WinTimer* t : {&tMinutes_, &tSeconds_, &trayRetry_}) {
        t->SetOwner(form);
    }
    frmRilto_.SetCaption(IDC_LBLVERSION, VersionLabel());
    store_.SaveSetting(kOptions, "tray", HandleText(frmRilto_.pichook()));

    WinFirstRunHost host;
    FirstTimeInitialise(store_, host);

    LayOutMicropauseScreen();

    settings_ = LoadSettings(store_);
    scheduler_.State().ExerciseReminderPending = false;
    frmRilto_.SetCaption(IDC_LBLWARNING, settings_.Warning);
    SwitchOnRecording();

    scheduler_.SetTimers();
    scheduler_.SeedLastInputTimes();
    AddTrayIcon();

    ShowWindow(form, SW_HIDE);
    store_.SaveSetting(kOptions, "AppPath", ProgramFolder());
    FitProgressBarBesideLogo();
    return true;
}

void RiltoApp::LayOutMicropauseScreen() {
    const HWND form = frmRilto_.hwnd();
    RECT r;
    GetWindowRect(form, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const RECT centred{(screenW - width) / 2, (screenH - height) / 2, (screenW - width) / 2 + width,
                       (screenH - height) / 2 + height};
    frmRilto_.SetNormalPlace(centred);
    SetWindowPos(form, nullptr, centred.left, centred.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Cancel stays on the form, out of sight: ESC presses it.
    SetWindowPos(frmRilto_.Control(IDCANCEL), nullptr, 2 * screenW, 2 * screenH, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HWND picPB = frmRilto_.Control(IDC_PICPB);
    canvas_ = std::make_unique<GdiProgressCanvas>(picPB);
    progressBar_.SetCanvas(canvas_.get());
    frmRilto_.SetProgressPainter(ProgressPainter(progressBar_, *canvas_));
    ShowWindow(picPB, SW_HIDE);

    // OK centred in the panel.
    const HWND panel = frmRilto_.picBlack();
    RECT panelRect;
    GetClientRect(panel, &panelRect);
    const HWND ok = frmRilto_.Control(IDOK);
    const RECT okRect = WindowRectIn(ok, panel);
    SetWindowPos(ok, nullptr, (panelRect.right - (okRect.right - okRect.left)) / 2, okRect.top, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RiltoApp::SwitchOnRecording() {
    // The warning text starts where the bar starts.
    const HWND panel = frmRilto_.picBlack();
    const RECT bar = WindowRectIn(frmRilto_.Control(IDC_PICPB), panel);
    const HWND warning = frmRilto_.Control(IDC_LBLWARNING);
    const RECT text = WindowRectIn(warning, panel);
    SetWindowPos(warning, nullptr, bar.left, text.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (int kind = 0; kind < kInputKinds; ++kind) {
        if (settings_.Monitor[kind]) {
            hook_.InstallFilter(kind, kFilterOn);
        }
    }
}

void RiltoApp::FitProgressBarBesideLogo() {
    const HWND panel = frmRilto_.picBlack();
    const HWND logo = frmRilto_.Control(IDC_PICTEVRIN);
    const HWND picPB = frmRilto_.Control(IDC_PICPB);
    ShowWindow(logo, SW_SHOWNA);
    RECT panelRect;
    GetClientRect(panel, &panelRect);
    const RECT logoRect = WindowRectIn(logo, panel);
    const RECT bar = WindowRectIn(picPB, panel);
    const int logoWidth = logoRect.right - logoRect.left;
    const int width = (panelRect.right - logoWidth) - 3 * (bar.left - logoWidth);
    SetWindowPos(picPB, nullptr, 0, 0, width, bar.bottom - bar.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The bar's blocks follow the new width; without this the bar would look full
    // long before the micropause ends.
    progressBar_.ResizeEx();
}

void RiltoApp::AddTrayIcon() {
    if (!icon_) {
        icon_ = LoadTrayIcon(instance_, IDI_RILTO);
        trayIcon_ = std::make_unique<TrayIcon>(frmRilto_.pichook(), icon_.get());
        SendMessageW(frmRilto_.hwnd(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(icon_.get()));
    }
    if (trayIcon_->Add()) {
        trayRetry_.SetEnabled(false);
        return;
    }
    trayAttempts_ = 1;
    trayRetry_.SetInterval(kTrayRetryMs);
    trayRetry_.SetEnabled(true);
}

void RiltoApp::ShowTrayMenu() {
    trayMenu_.SetSchemeItems(LoadMnuX(store_));
    // Commands that come with the settings dialog, the About box and the exercise
    // breaks are shown greyed until the program has them.
    for (UINT id : {IDM_POPUP_OPTIONS, IDM_POPUP_ABOUT, IDM_EXERCISE}) {
        trayMenu_.SetEnabled(id, false);
    }
    trayMenu_.SetSchemesEnabled(false);
    trayMenu_.Show(frmRilto_.hwnd());
}

void RiltoApp::ShowStatusWindow() {
    const HWND form = frmRilto_.hwnd();
    ShowWindow(form, SW_HIDE);
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
}

void RiltoApp::OnHookKey(unsigned keyCode) {
    if (keyCode == kKeyShutdown) {
        ShutdownNow(*this);
        return;
    }
    // The busy flag of the tray icon plays no part here.
    ShowTrayMenu();
}

void RiltoApp::OnTrayNotify(unsigned mouseMessage) {
    trayNotifications_.Notify(mouseMessage);
}

void RiltoApp::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerMinutes:
            scheduler_.MinuteTick();
            break;
        case kTimerSeconds:
            scheduler_.SecondsTick();
            break;
        case kTimerTrayRetry:
            if (trayIcon_->Add() || ++trayAttempts_ >= kTrayAttempts) {
                trayRetry_.SetEnabled(false);
            }
            break;
        default:
            break;
    }
}

void RiltoApp::OnCommand(int id, int notification) {
    switch (id) {
        case IDOK:
            scheduler_.StatusOk();
            break;
        case IDCANCEL:
            scheduler_.Skip();
            break;
        case IDC_LBLESC:
            if (notification == STN_DBLCLK) {
                scheduler_.Skip();
            }
            break;
        case IDC_LBLVOLUNTARY:
            if (notification == STN_DBLCLK) {
                scheduler_.ShowDiagnostics();
            }
            break;
        case IDM_POPUP_STATUS:
            ShowStatusWindow();
            break;
        case IDM_DEMO_MICROPAUSE:
            scheduler_.RiltoMicropause();
            break;
        case IDM_SHUTDOWN_RILTO:
            ShutdownRilto(*this);
            break;
        default:
            break;
    }
}

void RiltoApp::OnBroadcast(UINT) {
    // Explorer restarted: its new taskbar has none of the old icons.
    if (trayIcon_) {
        AddTrayIcon();
    }
}

void RiltoApp::OnEndSession() {
    if (!unloaded_) {
        unloaded_ = true;
        UnloadMainForm(*this);
    }
}

void RiltoApp::SwitchOffRecording(int kind) {
    hook_.InstallFilter(kind, kFilterOff);
}

void RiltoApp::DeleteTrayIcon() {
    if (trayIcon_) {
        trayIcon_->Delete();
    }
}

void RiltoApp::ClearPublishedHandle() {
    store_.SaveSetting(kOptions, "tray", "0");
}

void RiltoApp::CloseVideoDevice() {
    mciSendStringW(L"close riltox", nullptr, 0, nullptr);
}

void RiltoApp::UnloadPlayer() {}

void RiltoApp::UnloadSettingsDialog() {}

void RiltoApp::EndProcess() {
    ExitProcess(0);
}

}  // namespace rilto
