#pragma once
// What the settings dialog "Rilto Options" shows on its first two pages, as text and
// switches, independent of the window that shows it; filled from the options in effect
// each time the dialog opens, and read back by Apply.

#include <array>
#include <cstdint>
#include <string>

#include "common/settings.h"
#include "common/settings_store.h"

namespace rilto {

struct SettingsForm {
    // "Micropauses"
    std::string txtIntFor;
    std::string txtIntEvery;
    bool chkReset = false;
    std::array<bool, kInputKinds> chkMonitor{};
    bool chkAudible = false;
    bool chkAudiblePre = false;
    bool chkBlank = false;
    std::string txtWarning;
    bool chkDisableEsc = false;
    // Greyed when "DisableEsc2" locks escaping from outside the program.
    bool chkDisableEscEnabled = true;

    // "Exercise Breaks"
    std::string txtEveryM;
    bool chkAudibleX = false;
    bool chkBlankX = false;
    std::int32_t comboView = 0;  // "ViewAm" 0 to 4
    std::string txtNumAtaTime;
    bool optXstartRandom = false;  // "from a randomly selected point"
};

// The two pages as the options in effect fill them; "DisableEsc2" is read afresh.
SettingsForm LoadForm(const Settings& settings, const SettingsStore& store);

}  // namespace rilto
