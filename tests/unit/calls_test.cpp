// Calls hold breaks: which uses of the microphone or the camera are calls, and that the
// gate holds a due break for one as it does for a full screen, alone or together with it.

#include <gtest/gtest.h>

#include "common/civil_time.h"
#include "engine/calls.h"
#include "fakes/hold_rig.h"

namespace rilto {
namespace {

using fakes::HoldRig;
using fakes::kMsPerSecond;

constexpr std::int64_t kNow = 1'774'688'400;  // 2026-03-28 09:00 UTC

DeviceUse Desktop(const std::string& key, std::int64_t began = kNow) {
    return DeviceUse{key, false, HoldRig::FileTimeAt(began)};
}
DeviceUse Package(const std::string& key, std::int64_t began = kNow) {
    return DeviceUse{key, true, HoldRig::FileTimeAt(began)};
}

Settings CallsOn(const std::string& ignored = "") {
    Settings s;
    s.Calls = true;
    s.IgnoreDevices = ignored;
    return s;
}

TEST(Calls, AUseGoesByItsProgramsFileNameOrItsPackagesName) {
    EXPECT_EQ(NamesOfUse(Desktop("C:#Program Files#Zoom#bin#Zoom.exe")),
              std::vector<std::string>{"Zoom.exe"});
    EXPECT_EQ(NamesOfUse(Desktop("teams.exe")), std::vector<std::string>{"teams.exe"});
    EXPECT_EQ(NamesOfUse(Package("Microsoft.SkypeApp_kzf8qxf38zg5c")),
              (std::vector<std::string>{"Microsoft.SkypeApp_kzf8qxf38zg5c", "Microsoft.SkypeApp"}));
    // A package's name keeps its own "#": only desktop programs' keys are paths.
    EXPECT_EQ(NamesOfUse(Package("Odd#Name_1234")),
              (std::vector<std::string>{"Odd#Name_1234", "Odd#Name"}));
    EXPECT_EQ(NamesOfUse(Package("NoPublisher")), std::vector<std::string>{"NoPublisher"});
}

TEST(Calls, FileTimesCountHundredNanosecondsFrom1601) {
    EXPECT_EQ(UtcOfFileTime(116'444'736'000'000'000), 0);
    // 2022-06-18 04:26:40 UTC, and a part of a second does not round up.
    EXPECT_EQ(UtcOfFileTime(133'000'000'000'000'000), SecondsFromCivil({2022, 6, 18, 4, 26, 40}));
    EXPECT_EQ(UtcOfFileTime(133'000'000'009'999'999), SecondsFromCivil({2022, 6, 18, 4, 26, 40}));
    EXPECT_EQ(HoldRig::FileTimeAt(kNow), 134'191'620'000'000'000u);
}

TEST(Calls, AUseBegunMoreThanTwelveHoursAgoIsNoCall) {
    const Settings s = CallsOn();
    EXPECT_TRUE(CallHolds({Desktop("a#Zoom.exe", kNow - 60)}, s, kNow));
    EXPECT_TRUE(CallHolds({Desktop("a#Zoom.exe", kNow - kLongestCallSeconds)}, s, kNow));
    EXPECT_FALSE(CallHolds({Desktop("a#Zoom.exe", kNow - kLongestCallSeconds - 1)}, s, kNow));
    // One old use among new ones: the new one is a call.
    EXPECT_TRUE(CallHolds({Desktop("a#Tool.exe", kNow - 2 * kLongestCallSeconds),
                           Package("Microsoft.SkypeApp_kzf8qxf38zg5c", kNow - 5)},
                          s, kNow));
    // A use whose beginning Windows does not say, or one the clock puts ahead, is now.
    EXPECT_TRUE(CallHolds({DeviceUse{"a#Zoom.exe", false, 0}}, s, kNow));
    EXPECT_TRUE(CallHolds({Desktop("a#Zoom.exe", kNow + 30)}, s, kNow));
}

TEST(Calls, TheUsersListIgnoresProgramsByFileOrPackageNameInAnyCase) {
    const std::vector<DeviceUse> zoom{Desktop("C:#Program Files#Zoom#bin#Zoom.exe")};
    const std::vector<DeviceUse> skype{Package("Microsoft.SkypeApp_kzf8qxf38zg5c")};
    EXPECT_FALSE(CallHolds(zoom, CallsOn("zoom.EXE"), kNow));
    EXPECT_FALSE(CallHolds(zoom, CallsOn(" voicemeeter.exe ; Zoom.exe ;"), kNow));
    EXPECT_FALSE(CallHolds(zoom, CallsOn("C:\\Program Files\\Zoom\\bin\\zoom.exe"), kNow));
    EXPECT_TRUE(CallHolds(zoom, CallsOn("Zoom"), kNow)) << "a name, not a part of one";
    EXPECT_TRUE(CallHolds(zoom, CallsOn("bin"), kNow));
    EXPECT_FALSE(CallHolds(skype, CallsOn("microsoft.skypeapp"), kNow));
    EXPECT_FALSE(CallHolds(skype, CallsOn("Microsoft.SkypeApp_KZF8QXF38ZG5C"), kNow));
    EXPECT_TRUE(CallHolds(skype, CallsOn("Microsoft.Skype"), kNow));
    EXPECT_TRUE(CallHolds(skype, CallsOn("kzf8qxf38zg5c"), kNow));
    // Each use is looked at: one listed program does not hide another's call.
    std::vector<DeviceUse> both = zoom;
    both.push_back(skype[0]);
    EXPECT_TRUE(CallHolds(both, CallsOn("zoom.exe"), kNow));
    EXPECT_FALSE(CallHolds(both, CallsOn("zoom.exe;Microsoft.SkypeApp"), kNow));
}

TEST(Calls, NoRecordOrCallsSwitchedOffHoldNothing) {
    EXPECT_FALSE(CallHolds({}, CallsOn(), kNow));
    Settings off = CallsOn();
    off.Calls = false;
    EXPECT_FALSE(CallHolds({Desktop("a#Zoom.exe")}, off, kNow));
}

// Due at the fifth minute, during a call: held while the call lasts, and shown within one
// look, 2 seconds, of its end.
TEST(CallHold, ADueReminderWaitsForTheCallsEnd) {
    HoldRig rig;
    rig.settings.InterruptEvery = 999;
    rig.settings.EveryM = 5;
    rig.Start();
    rig.AdvanceMinutes(4);
    EXPECT_EQ(rig.probe.deviceReads, 0) << "nothing due, nothing read";
    rig.Call(true);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_TRUE(rig.state().ReminderHeld);
    EXPECT_EQ(rig.gate.Reason(), HoldReason::Call);
    EXPECT_LE(rig.probe.deviceReads, 2 + 2 * 60 / 2 + 1);  // the due one, then each look

    rig.clock.Advance(kMsPerSecond / 2);
    const std::uint64_t end = rig.clock.Elapsed();
    rig.Call(false);
    rig.clock.Advance(2 * kMsPerSecond);
    ASSERT_EQ(rig.log.TimesOf("reminder").size(), 1u);
    EXPECT_LE(rig.log.TimesOf("reminder")[0] - end, 2 * kMsPerSecond);
    EXPECT_FALSE(rig.tHold.Enabled());
}

TEST(CallHold, CallsHoldNothingWhenSwitchedOffOrIgnoredAndAreNotReadOff) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.Calls = false;
    rig.settings.FullScreen = false;  // the switches are apart: this one does not matter
    rig.Start();
    rig.Call(true);
    rig.AdvanceMinutes(3);
    EXPECT_EQ(rig.log.Count("show form"), 1u);
    EXPECT_EQ(rig.probe.deviceReads, 0);

    HoldRig ignoring;
    ignoring.settings.InterruptEvery = 3;
    ignoring.settings.IgnoreDevices = "ZOOM.exe";
    ignoring.Start();
    ignoring.Call(true);
    ignoring.AdvanceMinutes(3);
    EXPECT_EQ(ignoring.log.Count("show form"), 1u);

    HoldRig old;
    old.settings.InterruptEvery = 3;
    old.Start();
    old.Call(true, kLongestCallSeconds + 60);
    old.AdvanceMinutes(3);
    EXPECT_EQ(old.log.Count("show form"), 1u);
}

// A full screen and a call each hold alone; together, the break waits for the later end.
TEST(CallHold, AFullScreenAndACallHoldAloneAndTogether) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.FullScreen = true;
    rig.Start();
    rig.FullScreen(true);
    rig.Call(true);
    rig.AdvanceMinutes(4);
    ASSERT_TRUE(rig.state().MicropauseHeld);
    EXPECT_EQ(rig.gate.Reason(), HoldReason::FullScreen);
    const int reads = rig.probe.deviceReads;
    rig.AdvanceSeconds(20);
    EXPECT_EQ(rig.probe.deviceReads, reads) << "the foreground holds: the devices are not read";

    rig.FullScreen(false);
    rig.AdvanceSeconds(20);
    EXPECT_EQ(rig.log.Count("show form"), 0u) << "the call still holds";
    EXPECT_EQ(rig.gate.Reason(), HoldReason::Call);
    rig.FullScreen(true);
    rig.Call(false);
    rig.AdvanceSeconds(20);
    EXPECT_EQ(rig.log.Count("show form"), 0u) << "the full screen holds again";
    rig.FullScreen(false);
    rig.AdvanceSeconds(2);
    EXPECT_EQ(rig.log.Count("show form"), 1u);
}

// A call that lasts all afternoon holds a break MaxM minutes, as any hold does; a break
// asked for is never held.
TEST(CallHold, ALongCallKeepsABreakAtMostMaxMMinutes) {
    HoldRig rig;
    rig.settings.InterruptEvery = 3;
    rig.settings.MaxM = 10;
    rig.Start();
    rig.Call(true);
    rig.AdvanceMinutes(12);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.AdvanceMinutes(2);
    ASSERT_EQ(rig.log.TimesOf("show form").size(), 1u);
    EXPECT_LE(rig.log.TimesOf("show form")[0], 13 * fakes::kMsPerMinute + 2 * kMsPerSecond);

    HoldRig asking;
    asking.Start();
    asking.Call(true);
    asking.scheduler.RiltoMicropause();
    EXPECT_EQ(asking.log.Count("show form"), 1u);
}

}  // namespace
}  // namespace rilto
