#pragma once
// What the settings dialog "Rilto Options" shows on its first two pages, independent of
// the window that shows it: each option's control as text, filled from the options in
// effect each time the dialog opens, and read back by Apply. Number boxes hold what was
// typed; check boxes "1" or "0"; the video size list its position; the start point "-1"
// for "from a randomly selected point" and "0" for "from the beginning".

#include <array>
#include <string>

#include "common/options.h"
#include "common/settings.h"
#include "common/settings_store.h"

namespace rilto {

struct SettingsForm {
    std::array<std::string, kOptionCount> values;
    // The escape box greyed: "DisableEsc2" locks escaping from outside the program.
    bool escapeLocked = false;

    std::string& operator[](Option option) { return values[static_cast<std::size_t>(option)]; }
    const std::string& operator[](Option option) const {
        return values[static_cast<std::size_t>(option)];
    }
    // A check box ticked, or a choice made: anything but empty or "0".
    bool On(Option option) const;
    void SetOn(Option option, bool on) { (*this)[option] = on ? OnText(option) : "0"; }

  private:
    static const char* OnText(Option option);
};

// The pages as the options in effect fill them; "DisableEsc2" is read afresh.
SettingsForm LoadForm(const Settings& settings, const SettingsStore& store);

}  // namespace rilto
