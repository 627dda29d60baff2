#pragma once
// What the tray menu shows, and how the tray icon's notifications and the key
// commands of other processes reach the one menu.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/settings_store.h"

namespace rilto {

// Caption of the one scheme item the menu has when the store lists no scheme.
inline constexpr char kSchemePlaceholder[] = "Scheme";

// LoadMnuX: the captions of the scheme items, rebuilt from the store before every
// display of the menu. "Schemes"/"Num" gives the count; the names are under "1".."n".
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
};

// The menu as the next display shows it: items whose command the program cannot carry
// out are greyed.
TrayMenuContent LoadTrayMenu(const SettingsStore& store, const TrayFeatures& features);

// Mouse messages the tray icon reports.
inline constexpr unsigned kTrayLeftDoubleClick = 0x203;
inline constexpr unsigned kTrayRightButtonUp = 0x205;

struct TrayActions {
    std::function<void()> openSettings;
    // Shows the menu; returns when it closes.
    std::function<void()> showMenu;
    std::function<void()> shutdownNow;
};

// Takes the tray icon's notifications one at a time: one that arrives while an earlier
// one is still being handled (the menu is open, say) is dropped, not queued. A key
// command of another process shows the menu too, or ends the program; while a menu is
// open, nothing opens another.
class TrayController {
  public:
    explicit TrayController(TrayActions actions) : actions_(std::move(actions)) {}

    void IconNotify(unsigned mouseMessage);
    void KeyCommand(int keyCode);
    bool MenuOpen() const { return menuOpen_; }

  private:
    void ShowMenuOnce();

    TrayActions actions_;
    bool busy_ = false;
    bool menuOpen_ = false;
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
