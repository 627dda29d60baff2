// Sixty working days on a virtual clock, judged from outside: every micropause and
// exercise reminder comes when due, none twice, none lost, across sleeps of minutes to
// days, locks, absences and the tick count's wraps.

#include <gtest/gtest.h>

#include "sim/working_days.h"

namespace rilto {
namespace {

TEST(WorkingDays, SixtyDaysOfBreaksComeWhenDue) {
    for (const std::uint32_t seed : {1u, 2u}) {
        const sim::WorkingDaysFigures f = sim::SimulateWorkingDays(60, seed);
        std::string faults;
        for (std::size_t i = 0; i < f.faults.size() && i < 10; ++i) {
            faults += f.faults[i] + "\n";
        }
        EXPECT_TRUE(f.faults.empty()) << f.faults.size() << " faults, first:\n" << faults;
        // The script did what it is for: days long enough for breaks, and every kind of gap.
        EXPECT_EQ(f.calendarDays, 82);  // twelve weeks but the last weekend
        EXPECT_GT(f.micropauses, 60 * 20);
        EXPECT_GT(f.naturalMicropauses, 60 * 20);
        EXPECT_GE(f.reminders, 60 * 2);
        // Every break answered a reminder; a reminder went unanswered only into an absence.
        EXPECT_LE(f.breaks, f.reminders);
        EXPECT_GE(f.breaks + f.absences, f.reminders);
        EXPECT_GT(f.absences, 60 * 2);
        EXPECT_GE(f.wraps, 3);
    }
}

}  // namespace
}  // namespace rilto
