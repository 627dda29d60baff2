#pragma once
// The global hot keys: the keys the options name, registered with Windows for the main
// window, and what each does when pressed. "MicropauseNow" and "ExerciseNow" as the tray
// menu's items; "Pause" pauses the breaks for an hour, or resumes them while paused; "Skip"
// is ESC on the micropause or exercise break on screen, through the very path ESC takes (so
// whatever keeps ESC from ending a break keeps the key from it too), and nothing when none
// is; "Statistics" opens the statistics window. A key that cannot be had is reported, and
// nothing else changes.

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "common/hot_key_report.h"
#include "common/hot_key_text.h"
#include "common/settings.h"
#include "shell/rilto_core.h"

namespace rilto {

// Windows' side: a hot key of the main window, by the id WM_HOTKEY will carry.
class HotKeyRegistrar {
  public:
    virtual ~HotKeyRegistrar() = default;
    // False when Windows refuses the key: another program (or this one) has it.
    virtual bool Register(int id, const HotKey& key) = 0;
    virtual void Unregister(int id) = 0;
};

// "Pause": the length of the pause it starts, in minutes.
inline constexpr std::int32_t kHotKeyPauseMinutes = 60;

class HotKeys {
  public:
    // The ids WM_HOTKEY carries: the commands' in their order from here, clear of the
    // ESC key that the break screens catch.
    static constexpr int kFirstId = 0x100;
    static int IdOf(HotKeyCommand command) { return kFirstId + static_cast<int>(command); }

    HotKeys(HotKeyRegistrar& registrar, RiltoCore& core, std::function<void()> showStatistics);
    ~HotKeys() { Release(); }
    HotKeys(const HotKeys&) = delete;
    HotKeys& operator=(const HotKeys&) = delete;

    // The keys `settings` names, registered afresh (all let go first, so that two commands
    // may swap their keys); what became of each is told to `changed`.
    void Register(const Settings& settings);
    // Every key let go: the program ends.
    void Release();
    // WM_HOTKEY: the command of the key runs. False when the id is no key of these.
    bool Pressed(int id);

    const HotKeyStates& States() const { return states_; }
    // Told after each registration.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

  private:
    void Run(HotKeyCommand command);

    HotKeyRegistrar& registrar_;
    RiltoCore& core_;
    std::function<void()> showStatistics_;
    std::function<void()> changed_;
    HotKeyStates states_;
    std::array<bool, kHotKeyCommands> held_{};
};

}  // namespace rilto
