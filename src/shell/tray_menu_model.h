#pragma once
// What the tray menu shows, and how the tray icon's notifications and the key
// commands of other processes reach the one menu.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/settings_store.h"

namespace rilto {

// Caption of the one scheme item the menu has when the store lists no scheme.
inline constexpr char kSchemePlaceholder[] = "Scheme";

// LoadMnuX: the captions of the scheme items, rebuilt from the store before every
// display of the menu: the scheme list as the scheme store reads it, up to as many items
// as a menu can show, or the placeholder when the list is empty.
std::vector<std::string> LoadMnuX(const SettingsStore& store);

// The parts of the program that menu items lead to and that it has so far.
struct TrayFeatures {
    bool settingsDialog = false;
    bool aboutBox = false;
    bool exerciseBreaks = false;
};

struct TrayMenuContent {
    std::vector<std::string> schemes;
    bool optionsEnabled = false;
    bool aboutEnabled = false;
    bool exerciseEnabled = false;
    bool schemesEnabled = false;
    // "hh:nn" while the breaks are paused: "&Pause" gives way to "&Resume (paused until
    // hh:nn)". Empty when they are not.
    std::string pausedUntil;
    // Off hours, with their next start ("Mon 09:00", empty when none comes): a greyed line
    // "Off hours until Mon 09:00" just above "&Pause", unless a pause lasts too.
    bool offHours = false;
    std::string offHoursUntil;
    // "Rea&ding Mode" shows its check mark.
    bool readingMode = false;
};

// The menu as the next display shows it: items whose command the program cannot carry
// out are greyed.
TrayMenuContent LoadTrayMenu(const SettingsStore& store, const TrayFeatures& features);

// One item of the tray menu as it shows, top to bottom: a command (its id one of
// resource.h's IDM_ ids), a separator, or "&Pause" with its own items.
struct TrayMenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    int id = 0;
    std::string caption;
    bool enabled = true;
    // Shown bold: what a double click on the icon does.
    bool isDefault = false;
    // Shown with a check mark: a mode that is on.
    bool checked = false;
    std::vector<TrayMenuItem> items;

    bool operator==(const TrayMenuItem&) const = default;
};

// The whole menu, in order: the windows first, a separator, the breaks at once and
// "Rea&ding Mode", a separator, one item per scheme, a separator, "&Pause" (or "&Resume (paused
// until hh:nn)" while paused; off hours greyed above "&Pause") and "Sh&utdown Rilto". The scheme
// items take the ids from IDM_SCHEME_FIRST on, as many as there are ids for.
std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuContent& content);

// What the tray icon reports: the low word of its callback's lParam. In the old form the
// whole lParam is the mouse message; once the taskbar has taken NOTIFYICON_VERSION_4,
// the high word holds the icon's id, wParam the icon's anchor point on the screen, and
// events of the keyboard come too.
inline constexpr unsigned kTrayContextMenu = 0x7B;  // Shift+F10 or the menu key; version 4
                                                    // also sends it after a right click
inline constexpr unsigned kTrayMouseMove = 0x200;
inline constexpr unsigned kTrayLeftDoubleClick = 0x203;
inline constexpr unsigned kTrayRightButtonUp = 0x205;
inline constexpr unsigned kTraySelect = 0x400;     // a left click, in version 4
inline constexpr unsigned kTrayKeySelect = 0x401;  // Enter or Space on the icon

// A place on the screen, in pixels.
struct TrayPoint {
    int x = 0;
    int y = 0;
};

struct TrayActions {
    std::function<void()> openSettings;
    // Shows the menu at `at`, or at the mouse pointer when there is none; returns when it
    // closes: whether an item was chosen.
    std::function<bool(std::optional<TrayPoint> at)> showMenu;
    std::function<void()> shutdownNow;
    // Gives the keyboard focus back to the notification area.
    std::function<void()> focusTray;
};

// Takes the tray icon's notifications one at a time: one that arrives while an earlier
// one is still being handled (the menu is open, say) is dropped, not queued. A right
// click opens the menu once at the mouse pointer, in either form; the keyboard opens it
// at the icon, and when the user cancels that menu the focus goes back to the
// notification area, where the keyboard left it. A key command of another process shows
// the menu too, or ends the program; while a menu is open, nothing opens another.
class TrayController {
  public:
    explicit TrayController(TrayActions actions) : actions_(std::move(actions)) {}

    // `anchor` is the icon's place, which only the new form reports.
    void IconNotify(unsigned event, TrayPoint anchor = {});
    void KeyCommand(int keyCode);
    bool MenuOpen() const { return menuOpen_; }

  private:
    void ShowMenuOnce(std::optional<TrayPoint> at);

    TrayActions actions_;
    bool busy_ = false;
    bool menuOpen_ = false;
    // The last event but mouse moves, dropped or not.
    unsigned previous_ = 0;
};

// At log-on the taskbar may not be there yet: the icon is tried again for a minute.
class TrayIconRetry {
  public:
    static constexpr std::uint32_t kIntervalMs = 2000;
    static constexpr int kAttempts = 30;

    // The first attempt failed: the retries begin.
    void FirstFailed() { attempts_ = 1; }
    // Whether another attempt is due after one more failed; counts it.
    bool AnotherAttempt() { return ++attempts_ < kAttempts; }

  private:
    int attempts_ = 0;
};

}  // namespace rilto
