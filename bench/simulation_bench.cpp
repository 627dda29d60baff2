// Sixty working days of the scheduler on a virtual clock: what came, what the judge
// found, and how long the run took.

#include <chrono>
#include <cstdio>

#include "sim/working_days.h"

int main() {
    constexpr int kDays = 60;
    const auto start = std::chrono::steady_clock::now();
    const rilto::sim::WorkingDaysFigures f = rilto::sim::SimulateWorkingDays(kDays, 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("simulation: %d working days (%d calendar days), %.3f s (goal: under 1 s)\n",
                f.workingDays, f.calendarDays, seconds);
    std::printf("  micropauses %d, natural micropauses %d, exercise reminders %d, breaks %d\n",
                f.micropauses, f.naturalMicropauses, f.reminders, f.breaks);
    std::printf("  absences %d, locks %d, sleeps %d, tick count wraps %d\n", f.absences, f.locks,
                f.sleeps, f.wraps);
    std::printf("  faults %zu%s\n", f.faults.size(), f.faults.empty() ? "" : ", first:");
    for (std::size_t i = 0; i < f.faults.size() && i < 5; ++i) {
        std::printf("    %s\n", f.faults[i].c_str());
    }
    const bool holds = f.faults.empty() && seconds < 1.0;
    std::printf("@figure\t%d-day simulation\t%.3f s, %zu faults\tunder 1 s, no faults\t%s\n", kDays,
                seconds, f.faults.size(), holds ? "holds" : "FAILS");
    return holds ? 0 : 1;
}
