// The tray icon's tip: the pause while one lasts, else today's count in words that fit it.

#include "shell/tray_tip.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

TEST(TrayTip, TodaysCountTakesTheSingularForOneAlone) {
    EXPECT_EQ(TrayTip("", 1), "Rilto Micropause: 1 micropause today");
    EXPECT_EQ(TrayTip("", 0), "Rilto Micropause: 0 micropauses today");
    EXPECT_EQ(TrayTip("", 2), "Rilto Micropause: 2 micropauses today");
    EXPECT_EQ(TrayTip("", 11), "Rilto Micropause: 11 micropauses today");
}

// A pause outranks the count; with neither known the tip is the program's name.
TEST(TrayTip, APauseHidesTheCountAndAnUnknownCountShowsTheTitle) {
    EXPECT_EQ(TrayTip("17:45", 1), "Rilto Micropause: paused until 17:45");
    EXPECT_EQ(TrayTip("08:00", std::nullopt), "Rilto Micropause: paused until 08:00");
    EXPECT_EQ(TrayTip("", std::nullopt), "Rilto Micropause");
}

// Off hours stand before the count, and a pause before them.
TEST(TrayTip, OffHoursSayUntilTheNextStartUnlessAPauseLasts) {
    const OffHoursShown monday{true, "Mon 09:00"};
    EXPECT_EQ(TrayTip("", 4, monday), "Rilto Micropause: off hours until Mon 09:00");
    EXPECT_EQ(TrayTip("", std::nullopt, monday), "Rilto Micropause: off hours until Mon 09:00");
    EXPECT_EQ(TrayTip("", 4, OffHoursShown{true, ""}), "Rilto Micropause: off hours");
    EXPECT_EQ(TrayTip("", 4, OffHoursShown{false, ""}), "Rilto Micropause: 4 micropauses today");
    EXPECT_EQ(TrayTip("18:30", 4, monday), "Rilto Micropause: paused until 18:30");
    EXPECT_EQ(OffHoursText("Mon 09:00"), "Off hours until Mon 09:00");
    EXPECT_EQ(OffHoursText(""), "Off hours");
}

}  // namespace
}  // namespace rilto
