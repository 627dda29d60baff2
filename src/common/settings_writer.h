#pragma once
// The one writer of the options in effect. Everyone else reads them; every change of the
// running program goes through here: start-up's load, Apply, the scheme in use that the
// tray or the settings pages switch to, NumAtaTime read afresh by the exercise breaks,
// reading mode as the tray switches it, and a warning sound chosen in its dialog (in use at once,
// stored by the next Apply). The lock on escaping set from outside ("DisableEsc2") is kept here
// too, whatever the change.

#include <cstdint>
#include <string>

#include "common/settings.h"
#include "common/settings_store.h"

namespace rilto {

// Which of the three warnings a sound is for, as the settings dialog numbers them.
enum class SoundTarget { Start = 0, Exercise = 1, Early = 2 };

// WarningSound, WarningSoundX or WarningSoundPre for targets 0, 1 and 2; null for any
// other number.
const std::string* SoundSetting(const Settings& settings, int target);

class SettingsWriter {
  public:
    SettingsWriter(Settings& settings, const SettingsStore& store)
        : settings_(settings), store_(store) {}
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    const Settings& Current() const { return settings_; }

    // Start-up: every option as stored, the lock included.
    void Load();
    // Apply: the options the dialog's pages give.
    void Apply(const Settings& changed);
    void UseScheme(const std::string& name);
    void SetNumAtaTime(std::int32_t count);
    void SetReadingMode(bool on);
    // False, and nothing changes, for a target that is none of the three.
    bool SetSound(int target, const std::string& file);

  private:
    Settings& settings_;
    const SettingsStore& store_;
};

}  // namespace rilto
