#pragma once
// The program's icon in the notification area. Its notifications arrive at the hook
// window as WM_MOUSEMOVE, with the event in the low word of lParam.

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "common/handles_win.h"
#include "shell/tray_icon_record.h"
#include "shell/tray_tip.h"

namespace rilto {

// The icon belongs to its owner: gone with it, deleted once. While the breaks are paused,
// or it is off hours, it shows the paused icon and says until when.
class TrayIcon {
  public:
    // `icon` is borrowed; it must outlive the tray icon.
    TrayIcon(HWND window, HICON icon);
    ~TrayIcon() { Delete(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon and asks for the taskbar's newer notifications, which reach the icon
    // from the keyboard too. False when the taskbar is not there yet (at log-on, say):
    // try again later.
    bool Add();
    void Delete();
    // The keyboard focus back to the notification area, after a menu the keyboard opened.
    void ReturnFocus();
    // The breaks paused until `until` ("hh:nn"): the paused icon, with the tip
    // "Rilto Micropause: paused until hh:nn". Empty: the program icon and its title
    // again. Shown at once when the icon is there, and by every later add.
    void SetPausedUntil(const std::string& until);
    // Today's micropauses, for the tip while no pause lasts.
    void SetMicropausesToday(int count);
    // Off hours: the paused icon, with the tip "Rilto Micropause: off hours until Mon
    // 09:00", unless a pause's tip stands before it.
    void SetOffHours(const OffHoursShown& offHours);
    // Reading mode: the tip says so.
    void SetReadingMode(bool on);

  private:
    NOTIFYICONDATAW Record() const;
    // The record of `call`, with the icon and the tip of the state to show.
    NOTIFYICONDATAW Shown(TrayIconCall call) const;
    // The paused icon loaded when it is to show, and the icon's record changed.
    void Changed();

    HWND window_;
    HICON icon_;
    // Loaded at the first pause or off hours; null if it cannot be, and then the tip alone
    // tells.
    UniqueIcon pausedIcon_;
    std::string pausedUntil_;
    std::optional<int> micropausesToday_;
    OffHoursShown offHours_;
    bool readingMode_ = false;
    bool added_ = false;
};

// The program icon at the size the tray uses on this screen, sharp on high DPI.
UniqueIcon LoadTrayIcon(HINSTANCE instance, int resourceId);

}  // namespace rilto
