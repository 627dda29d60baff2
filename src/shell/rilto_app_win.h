#pragma once
// The running program: the Win32 side of it. It owns the store, the clock, the timers,
// the hook and the windows, makes the windows and turns their events into calls on the
// program's core, and runs start-up, the message loop and the ways the program ends.
// What happens, and in which order, is decided in the core.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "common/registry_settings_store_win.h"
#include "engine/activity_hook_win.h"
#include "engine/clock_win.h"
#include "engine/frm_daily_limit_win.h"
#include "engine/frm_rilto_win.h"
#include "engine/hold_probe_win.h"
#include "engine/sound_win.h"
#include "engine/system_input_win.h"
#include "engine/timer_win.h"
#include "exercise/frm_chk_exercise_win.h"
#include "exercise/frm_x_win.h"
#include "settings/frm_about_tevrin_win.h"
#include "settings/frm_settings_win.h"
#include "statistics/frm_statistics_win.h"
#include "shell/hook_window_win.h"
#include "shell/hot_key_registrar_win.h"
#include "shell/hot_keys.h"
#include "shell/message_loop_win.h"
#include "shell/rilto_core.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "shell/tray_icon_keeper_win.h"
#include "shell/tray_menu_win.h"

namespace rilto {

class RiltoApp : private StartupHost, private ShutdownActions, private StatusView {
  public:
    RiltoApp();

    // Start-up, then the message loop. Returns the process exit code.
    int Run(const std::string& arguments);

  private:
    // The windows made and their events wired; false when Windows refuses them.
    bool CreateWindows();
    bool CreateExerciseWindows();
    // At `at`, or at the mouse pointer; whether an item was chosen.
    bool ShowTrayMenu(std::optional<TrayPoint> at);
    void ShowNotice(const char* text);
    // The settings dialog made, now or before; false when it cannot be.
    bool SettingsDialogReady();
    void LoadSettingsDialog();
    // What became of the global hot keys: on the status window and the page "Keys".
    void ShowHotKeyStates();
    // "Exercise Now!" from the tray menu or riltoctl: nothing until the player exists, as
    // the first run's questions let messages in before it is made.
    void ExerciseNowOnceReady();

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

    // StatusView
    void ShowPausedUntil(const std::string& until) override;
    void ShowOffHours(const OffHoursShown& offHours) override;
    void ShowMicropausesToday(int count) override;
    void ShowReadingMode(bool on) override;
    void FiguresWritten() override;

    // Where rilto32.exe lies, asked of Windows once.
    const std::string programFolder_;
    RegistrySettingsStore store_;
    FrmRilto frmRilto_;
    HookWindow hookWindow_;
    WinTimer tMinutes_;
    WinTimer tSeconds_;
    WinTimer tPause_;
    WinTimer tHold_;
    WinTimer tSchedule_;
    WinClock clock_;
    WinSound sound_;
    WinActivityHook hook_;
    WinSystemInput systemInput_;
    WinHoldProbe holdProbe_;
    // One generator, seeded once, for where a cycle from a random point starts.
    std::mt19937 random_;
    // Given the windows below, which it uses only once they are made.
    RiltoCore core_;
    FrmX frmX_;
    FrmChkExercise frmChkExercise_;
    FrmSettings frmSettings_;
    FrmAboutTevrin frmAbout_;
    // Drawn from the store, so it shows what a restart would show.
    FrmStatistics frmStatistics_;
    FrmDailyLimit frmDailyLimit_;
    // The global hot keys, on the main form; let go before the form goes.
    WinHotKeyRegistrar hotKeyRegistrar_;
    HotKeys hotKeys_;
    MessageLoop loop_;
    TrayMenu trayMenu_;
    TrayIconKeeper trayIcon_;
    bool unloaded_ = false;
    // The player and the reminder exist: made at the end of start-up.
    bool exerciseWindowsMade_ = false;
};

}  // namespace rilto
