// What the tray icon's record asks of the notification area: the callback with the add,
// the icon and a tip the taskbar shows with every call, and which icon and tip show.

#include "shell/tray_icon_record.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

TEST(TrayIconRecord, AnAddAsksForTheCallbackTheIconAndATipThatShows) {
    const TrayIconRecord add = TrayRecordFor(TrayIconCall::Add, "", 12);
    EXPECT_EQ(add.id, 1u);
    // NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP: without the last, a taskbar that
    // took version 4 shows no tip at all.
    EXPECT_EQ(add.flags, 0x01u | 0x02u | 0x04u | 0x80u);
    EXPECT_EQ(add.callbackMessage, 0x200u);  // WM_MOUSEMOVE, which the hook window reads
    EXPECT_FALSE(add.pausedIcon);
    EXPECT_EQ(add.tip, "Rilto Micropause: 12 micropauses today");
    EXPECT_EQ(kTrayNotifyVersion, 4u);  // NOTIFYICON_VERSION_4
}

// A change leaves the callback as it was, and still asks for the tip to show.
TEST(TrayIconRecord, AChangeShowsTheIconAndTheTipOfTheState) {
    const TrayIconRecord paused = TrayRecordFor(TrayIconCall::Modify, "14:30", 3);
    EXPECT_EQ(paused.flags, 0x02u | 0x04u | 0x80u);
    EXPECT_EQ(paused.callbackMessage, 0u);
    EXPECT_TRUE(paused.pausedIcon);
    EXPECT_EQ(paused.tip, "Rilto Micropause: paused until 14:30");

    const TrayIconRecord resumed = TrayRecordFor(TrayIconCall::Modify, "", std::nullopt);
    EXPECT_EQ(resumed.flags, paused.flags);
    EXPECT_FALSE(resumed.pausedIcon);
    EXPECT_EQ(resumed.tip, "Rilto Micropause");

    // Added while paused: the paused icon and tip from the first moment.
    const TrayIconRecord addedPaused = TrayRecordFor(TrayIconCall::Add, "09:05", 1);
    EXPECT_TRUE(addedPaused.pausedIcon);
    EXPECT_EQ(addedPaused.tip, "Rilto Micropause: paused until 09:05");
    EXPECT_EQ(addedPaused.flags & 0x01u, 0x01u);

    // Reading mode is in the tip, and keeps the program's icon.
    const TrayIconRecord reading = TrayRecordFor(TrayIconCall::Add, "", 2, {}, true);
    EXPECT_FALSE(reading.pausedIcon);
    EXPECT_EQ(reading.tip, "Rilto Micropause: 2 micropauses today, reading mode");
}

}  // namespace
}  // namespace rilto
