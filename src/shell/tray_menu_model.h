#pragma once
// What the tray menu shows and how the tray icon's notifications are taken.

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

// Mouse messages the tray icon reports.
inline constexpr unsigned kTrayLeftDoubleClick = 0x203;
inline constexpr unsigned kTrayRightButtonUp = 0x205;

// Takes the tray icon's notifications one at a time: one that arrives while an
// earlier one is still being handled (the menu is open, say) is dropped, not queued.
class TrayNotifications {
  public:
    TrayNotifications(std::function<void()> openSettings, std::function<void()> showMenu)
        : openSettings_(std::move(openSettings)), showMenu_(std::move(showMenu)) {}

    void Notify(unsigned mouseMessage);
    bool Busy() const { return busy_; }

  private:
    std::function<void()> openSettings_;
    std::function<void()> showMenu_;
    bool busy_ = false;
};

}  // namespace rilto
