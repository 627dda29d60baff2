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

// Reading mode is added to whatever the tip says, pause and off hours included, and
// stands alone after the title; the longest of them fits the tray's 127 characters.
TEST(TrayTip, ReadingModeIsAddedToWhateverTheTipSays) {
    EXPECT_EQ(TrayTip("", 3, {}, true), "Rilto Micropause: 3 micropauses today, reading mode");
    EXPECT_EQ(TrayTip("", std::nullopt, {}, true), "Rilto Micropause: reading mode");
    EXPECT_EQ(TrayTip("17:45", 3, {}, true), "Rilto Micropause: paused until 17:45, reading mode");
    const OffHoursShown monday{true, "Mon 09:00"};
    const std::string longest = TrayTip("", 3, monday, true);
    EXPECT_EQ(longest, "Rilto Micropause: off hours until Mon 09:00, reading mode");
    EXPECT_LE(longest.size(), 127u);
    EXPECT_EQ(TrayTip("", 3, monday, false), "Rilto Micropause: off hours until Mon 09:00");
}

}  // namespace
}  // namespace rilto
