#pragma once
// The tray icon's tip: the pause while one lasts, otherwise today's micropauses.

#include <optional>
#include <string>

namespace rilto {

// "Rilto Micropause: paused until hh:nn", or "Rilto Micropause: 12 micropauses today", or
// the title alone while the count is not known.
std::string TrayTip(const std::string& pausedUntil, std::optional<int> micropausesToday);

}  // namespace rilto
