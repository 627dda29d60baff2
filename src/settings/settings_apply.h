#pragma once
// Apply: the dialog's pages checked and copied into the options in effect,
// the running program changed at once (micropause timing, countdowns, the micropause
// message, which input is watched), every option written to the store in a fixed order,
// and the exercise list of the scheme page saved as the scheme in use.

#include <functional>
#include <string>
#include <vector>

#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/settings_store.h"
#include "engine/activity_hook.h"
#include "engine/scheduler.h"
#include "settings/settings_form.h"

namespace rilto {

struct ApplyPorts {
    SettingsWriter& settings;
    SettingsStore& store;
    Scheduler& scheduler;
    ActivityHook& hook;
    // The micropause screen's message takes the new text.
    std::function<void(const std::string&)> showWarning;
    // The scheme page's rows back into the exercise table, and the table saved as the
    // scheme in use.
    std::function<void()> saveScheme;
};

// Corrects the number boxes it clamps or cannot read, in `form`, as the dialog then shows
// them. An hours box it cannot read is refused: its text stays in the box for the user to
// mend, and the hours in effect stay and are what is stored. Gives the refused days, one
// "Tuesday: why" each, Monday first; empty when every box was taken.
std::vector<std::string> ApplySettings(SettingsForm& form, const ApplyPorts& ports);

}  // namespace rilto
