#pragma once
// What Windows itself knows of the session: the input it saw last (GetLastInputInfo),
// every keyboard and mouse event of the session, also those a low-level hook never sees
// because Windows removed it; and whether the session is locked now.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/settings.h"

namespace rilto {

class SystemInput {
  public:
    virtual ~SystemInput() = default;
    // The tick count (GetTickCount's clock) of the latest input in the session.
    virtual std::uint32_t LastInputTick() = 0;
    // Whether the session is locked, or away from every screen, now; nothing when Windows
    // cannot tell. The notices of a lock and an unlock may be lost, this answer is not.
    virtual std::optional<bool> SessionLocked() = 0;
};

// Windows tells no kind of input from another: its answer stands for the user only while
// every kind is monitored. With one switched off, the hooks alone decide.
inline bool SystemInputCounts(const Settings& settings) {
    return std::all_of(settings.Monitor.begin(), settings.Monitor.end(),
                       [](bool monitored) { return monitored; });
}

}  // namespace rilto
