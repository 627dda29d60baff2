#pragma once
// The running program: owns the store, the in-memory settings, the main form, the
// scheduler and the tray icon, and carries out start-up, the key commands of other
// processes, the tray menu's commands and shutdown.

#include <windows.h>

#include <memory>
#include <string>

#include "engine/activity_hook_win.h"
#include "engine/clock_win.h"
#include "engine/progress_bar.h"
#include "engine/progress_canvas_gdi_win.h"
#include "engine/scheduler.h"
#include "engine/sound_win.h"
#include "engine/timer_win.h"
#include "engine/warning_sounds.h"
#include "shell/frm_rilto_win.h"
#include "shell/registry_settings_store_win.h"
#include "common/settings.h"
#include "shell/shutdown.h"
#include "shell/tray_icon_win.h"
#include "shell/tray_menu_model.h"
#include "shell/tray_menu_win.h"

namespace rilto {

class RiltoApp : public FrmRiltoEvents, private ShutdownActions {
  public:
    explicit RiltoApp(HINSTANCE instance);

    // Start-up, then the message loop. Returns the process exit code.
    int Run(const std::string& arguments);

    // FrmRiltoEvents
    void OnHookKey(unsigned keyCode) override;
    void OnTrayNotify(unsigned mouseMessage) override;
    void OnTimer(UINT_PTR id) override;
    void OnCommand(int id, int notification) override;
    void OnBroadcast(UINT message) override;
    void OnEndSession() override;

  private:
    // A second start: hand the key command to the running copy.
    void HandOverToRunningCopy(const std::string& arguments);
    bool Startup();
    void LayOutMicropauseScreen();
    void SwitchOnRecording();
    void FitProgressBarBesideLogo();
    void AddTrayIcon();
    // LoadMnuX, then the menu at the mouse pointer; returns when it closes.
    void ShowTrayMenu();
    void ShowStatusWindow();

    // ShutdownActions
    void SwitchOffRecording(int kind) override;
    void DeleteTrayIcon() override;
    void ClearPublishedHandle() override;
    void CloseVideoDevice() override;
    void UnloadPlayer() override;
    void UnloadSettingsDialog() override;
    void EndProcess() override;

    HINSTANCE instance_;
    RegistrySettingsStore store_;
    Settings settings_;
    FrmRilto frmRilto_;
    WinTimer tMinutes_;
    WinTimer tSeconds_;
    WinTimer trayRetry_;
    WinClock clock_;
    WinSound sound_;
    WinActivityHook hook_;
    CProgressBar progressBar_;
    std::unique_ptr<GdiProgressCanvas> canvas_;
    WarningSounds sounds_;
    Scheduler scheduler_;
    TrayMenu trayMenu_;
    UniqueIcon icon_;
    std::unique_ptr<TrayIcon> trayIcon_;
    TrayNotifications trayNotifications_;
    int trayAttempts_ = 0;
    bool unloaded_ = false;
};

}  // namespace rilto
