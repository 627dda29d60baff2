#pragma once
// The tray icon's tip: the pause while one lasts, otherwise off hours while they last,
// otherwise today's micropauses; and reading mode while it is on.

#include <optional>
#include <string>

namespace rilto {

// Off hours as the tray shows them.
struct OffHoursShown {
    bool active = false;
    // The next start, "Mon 09:00"; empty when none comes.
    std::string until;

    bool operator==(const OffHoursShown&) const = default;
};

// "Rilto Micropause: paused until hh:nn", or "Rilto Micropause: off hours until Mon 09:00"
// ("Rilto Micropause: off hours" with no next start), or "Rilto Micropause: 12
// micropauses today", or the title alone while the count is not known; in reading mode
// followed by ", reading mode" ("Rilto Micropause: reading mode" after the title alone).
std::string TrayTip(const std::string& pausedUntil, std::optional<int> micropausesToday,
                    const OffHoursShown& offHours = {}, bool readingMode = false);

// "Off hours until Mon 09:00", or "Off hours" with no next start.
std::string OffHoursText(const std::string& until);

}  // namespace rilto
