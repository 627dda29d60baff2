#pragma once
// What riltoctl's "status" prints: the running copy's state, one fact a line, in the order
// a reader looks for them: the next micropause, the next exercise break, the pause, then
// holds, off hours and reading mode while they are in effect, and today's figures.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/hold.h"
#include "shell/tray_tip.h"

namespace rilto {

class RiltoCore;

// The facts the lines are made of, as the core has them at one moment.
struct StatusFacts {
    // The program's minute, in milliseconds: what the countdowns count.
    std::uint32_t minuteMs = 60'000;
    // Paused, or off hours: no break comes by itself.
    bool quiet = false;
    bool micropauseRunning = false;
    // A micropause fell due and waits (for a hold's end, or for the user).
    bool micropauseDue = false;
    bool exerciseInProgress = false;
    // The exercise reminder shows, or waits for a hold's end.
    bool exerciseDue = false;
    // Exercise breaks never come (every 0 minutes), or not until their countdown is set anew.
    bool exercisesOff = false;
    // Milliseconds to the next micropause and exercise reminder; nothing while the
    // countdowns' timer stands still.
    std::optional<std::uint64_t> msToMicropause;
    std::optional<std::uint64_t> msToExercise;
    // "hh:nn", empty when not paused.
    std::string pausedUntil;
    // A break waits for a hold's end, and what holds breaks now.
    bool holding = false;
    HoldReason holdReason = HoldReason::None;
    OffHoursShown offHours;
    bool readingMode = false;
    std::int32_t taken = 0;
    std::int32_t skipped = 0;
    std::int32_t natural = 0;
};

// "3:10": minutes and seconds of the program's minute, the seconds rounded up, so that
// "0:00" is never shown for a break still to come.
std::string MinutesAndSeconds(std::uint64_t ms, std::uint32_t minuteMs);

std::vector<std::string> StatusLines(const StatusFacts& facts);
// The lines, each ended by "\n".
std::string StatusText(const StatusFacts& facts);

// The facts as the core has them now. Looks at the foreground once, as a break falling
// due would.
StatusFacts StatusOf(RiltoCore& core);

}  // namespace rilto
