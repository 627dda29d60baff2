#pragma once
// Working days simulated on a virtual clock: a scripted user types, pauses, reads, goes
// to lunch, locks the session, closes the lid, and the machine sleeps at night and over
// weekends, while the tick count wraps at 2^31 and 2^32. A judge that knows only the
// script and what the program showed checks every micropause and exercise reminder: none
// early, none twice, none lost, and no rest claimed where the user typed.

#include <cstdint>
#include <string>
#include <vector>

namespace rilto::sim {

struct WorkingDaysFigures {
    int workingDays = 0;
    int calendarDays = 0;
    int micropauses = 0;
    int naturalMicropauses = 0;
    int reminders = 0;
    int breaks = 0;
    int absences = 0;  // silences, locks and sleeps of AwayM minutes and more
    int locks = 0;
    int sleeps = 0;
    int wraps = 0;  // the 32-bit tick count passing 2^31 or 2^32
    // Each rule the program broke, with the simulated day and time.
    std::vector<std::string> faults;
};

WorkingDaysFigures SimulateWorkingDays(int workingDays, std::uint32_t seed);

}  // namespace rilto::sim
