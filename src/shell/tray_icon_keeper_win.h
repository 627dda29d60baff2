#pragma once
// The program's tray icon for the life of the program: made at its first add, tried
// again for a minute when the taskbar is not there yet (at log-on), added again when
// Explorer restarts, and told the pause, today's count and off hours whether it is there
// or not.

#include <windows.h>

#include <memory>
#include <string>

#include "common/handles_win.h"
#include "engine/timer_win.h"
#include "shell/tray_icon_win.h"
#include "shell/tray_menu_model.h"

namespace rilto {

class TrayIconKeeper {
  public:
    TrayIconKeeper() : retry_("tray icon retry") {}

    // The icon added for the hook window, which hears its notifications; the main form
    // takes it as its own small icon. `micropausesToday` goes in its tip.
    void Add(HWND hookWindow, HWND mainForm, int micropausesToday);
    // Explorer restarted: its new taskbar has none of the old icons.
    void AddAgain();
    void Delete();
    void ReturnFocus();
    void SetPausedUntil(const std::string& until);
    void SetMicropausesToday(int count);
    void SetOffHours(const OffHoursShown& offHours);
    void SetReadingMode(bool on);

  private:
    void Retry();

    WinTimer retry_;
    TrayIconRetry attempts_;
    UniqueIcon icon_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace rilto
