#pragma once
// The running program: it owns the store, the settings, the windows and the engine,
// wires their events to each other, and runs start-up, the message loop and the ways
// the program ends. What happens, and in which order, is decided in the portable
// parts it wires.

#include <windows.h>

#include <memory>
#include <optional>
#include <random>
#include <string>

#include "common/settings.h"
#include "engine/activity_hook_win.h"
#include "engine/clock_win.h"
#include "engine/frm_rilto_win.h"
#include "engine/hold.h"
#include "engine/hold_probe_win.h"
#include "engine/pause.h"
#include "engine/progress_bar.h"
#include "engine/progress_canvas_gdi_win.h"
#include "engine/scheduler.h"
#include "engine/sound_win.h"
#include "engine/system_input_win.h"
#include "engine/timer_win.h"
#include "engine/warning_sounds.h"
#include "exercise/exercise_break.h"
#include "exercise/exercise_table.h"
#include "exercise/frm_chk_exercise_win.h"
#include "exercise/frm_x_win.h"
#include "settings/frm_about_tevrin_win.h"
#include "settings/frm_settings_win.h"
#include "statistics/frm_statistics_win.h"
#include "settings/frm_sound_win.h"
#include "settings/settings_dialog.h"
#include "shell/hook_window_win.h"
#include "common/registry_settings_store_win.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "shell/tray_icon_win.h"
#include "shell/tray_menu_model.h"
#include "shell/tray_menu_win.h"

namespace rilto {

class RiltoApp : private StartupHost, private ShutdownActions {
  public:
    RiltoApp();

    // Start-up, then the message loop. Returns the process exit code.
    int Run(const std::string& arguments);

  private:
    // A second start: the key command handed to the running copy.
    void HandOver(const StartDecision& start);
    // The windows made and their events wired; false when Windows refuses them.
    bool CreateWindows();
    int MessageLoop();
    // At `at`, or at the mouse pointer; whether an item was chosen.
    bool ShowTrayMenu(std::optional<TrayPoint> at);
    void RetryTrayIcon();
    void ShowNotice(const char* text);
    // The tray shows whether the breaks are paused, and until when.
    void ShowPauseInTray();
    // The tip's count of today's micropauses.
    void ShowTodayInTray();
    bool CreateExerciseWindows();
    // The settings dialog made, now or before; false when it cannot be.
    bool SettingsDialogReady();
    void LoadSettingsDialog();
    // One message of the loop, through the windows that take keys first.
    void Dispatch(MSG& msg);

    // StartupHost
    void ShowVersion(const std::string& label) override;
    std::uint32_t HookWindowHandle() override;
    void FirstTimeInitialise() override;
    void LayOutMicropauseScreen() override;
    void ShowWarning(const std::string& text) override;
    void AddTrayIcon() override;
    void HideMainForm() override;
    std::string ProgramFolder() override;

    // ShutdownActions
    void SaveStatistics() override;
    void SwitchOffRecording(int kind) override;
    void DeleteTrayIcon() override;
    void ClearPublishedHandle() override;
    void CloseVideoDevice() override;
    void UnloadPlayer() override;
    void UnloadSettingsDialog() override;
    void EndProcess() override;

    // The program's messages, with the busy pointer, until `busy` says no.
    void WaitWhile(const std::function<bool()>& busy);

    // A real minute, unless a test shortens it.
    const std::uint32_t minuteMs_;
    RegistrySettingsStore store_;
    Settings settings_;
    FrmRilto frmRilto_;
    HookWindow hookWindow_;
    WinTimer tMinutes_;
    WinTimer tSeconds_;
    WinTimer trayRetry_;
    WinTimer tPause_;
    WinTimer tHold_;
    WinClock clock_;
    WinSound sound_;
    WinActivityHook hook_;
    WinSystemInput systemInput_;
    CProgressBar progressBar_;
    std::unique_ptr<GdiProgressCanvas> canvas_;
    WarningSounds sounds_;
    Scheduler scheduler_;
    WinHoldProbe holdProbe_;
    HoldGate holdGate_;
    Pause pause_;
    StatisticsBook statistics_;
    ExerciseTable exercises_;
    FrmX frmX_;
    FrmChkExercise frmChkExercise_;
    // One generator, seeded once, for where a cycle from a random point starts.
    std::mt19937 random_;
    ExerciseBreakFlow exerciseFlow_;
    FrmSettings frmSettings_;
    FrmAboutTevrin frmAbout_;
    // Drawn from the store, so it shows what a restart would show.
    FrmStatistics frmStatistics_;
    // The dialog is the controller's view; it is given the controller once both exist.
    SettingsDialog settingsDialog_;
    TrayMenu trayMenu_;
    TrayController tray_;
    TrayIconRetry trayIconRetry_;
    UniqueIcon icon_;
    std::unique_ptr<TrayIcon> trayIcon_;
    bool unloaded_ = false;
    // The player and the reminder exist: made at the end of start-up.
    bool exerciseWindowsMade_ = false;
};

}  // namespace rilto
