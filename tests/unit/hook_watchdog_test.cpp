// The hook watchdog with one kind of input monitored: the hook that Windows removed comes
// back, and only that kind is installed.

#include "engine/hook_watchdog.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/fake_activity_hook.h"
#include "fakes/virtual_clock.h"

namespace rilto {
namespace {

using fakes::FakeActivityHook;
using fakes::VirtualClock;

constexpr int kKeyboard = 0;
constexpr int kMouse = 1;

struct OneKind {
    explicit OneKind(int kind) : monitored(kind) {
        settings.Monitor = {kind == kKeyboard, kind == kMouse};
        hook.InstallFilter(1 - kind, kFilterOff);
    }
    bool Check() {
        return watchdog.Check(hook.RilGetTime(monitored), hook.LastInputTick(), clock.TickCount());
    }

    int monitored;
    Settings settings;
    VirtualClock clock{1'000'000, {9, 0}};
    FakeActivityHook hook{clock};
    HookWatchdog watchdog{settings, hook};
};

TEST(HookWatchdogOneKind, AHookRemovedByWindowsComesBackForEitherKindAlone) {
    for (const int kind : {kKeyboard, kMouse}) {
        SCOPED_TRACE(kind);
        OneKind rig(kind);
        rig.hook.Input(kind);
        rig.clock.Advance(5000);
        EXPECT_FALSE(rig.Check()) << "nothing missed";

        rig.hook.RemoveHooks();
        const std::int32_t stuck = rig.hook.RilGetTime(kind);
        rig.hook.Input(kind);
        rig.clock.Advance(kHooksMissedMs + 1000);
        const int installs = rig.hook.Installs();
        EXPECT_TRUE(rig.Check());
        EXPECT_EQ(rig.watchdog.Reinstalls(), 1);
        // Off and on, the monitored kind only.
        EXPECT_EQ(rig.hook.Installs(), installs + 2);
        EXPECT_TRUE(rig.hook.Recording(kind));
        EXPECT_FALSE(rig.hook.Recording(1 - kind));
        rig.hook.Input(kind);
        EXPECT_NE(rig.hook.RilGetTime(kind), stuck) << "recording again";
    }
}

// Input of the kind not monitored looks the same to Windows: a hook still there is
// installed again now and then, by the growing waits, never at every poll.
TEST(HookWatchdogOneKind, InputOfTheOtherKindAloneReinstallsByTheGrowingWaits) {
    OneKind rig(kKeyboard);
    int reinstalls = 0;
    for (int s = 0; s < 600; s += 5) {
        rig.hook.Input(kMouse);
        rig.clock.Advance(5000);
        reinstalls += rig.Check() ? 1 : 0;
    }
    // At once, then 10, 20, 40, 80, 160 and 320 s later: seven in ten minutes.
    EXPECT_GE(reinstalls, 5);
    EXPECT_LE(reinstalls, 8);
}

// Input the hooks never see (the lock screen's, say): the waits between reinstalls double
// from the first to the last; input the hooks see again proves them working, and the next
// time they miss it they are tried at once, and then by short waits again.
TEST(HookWatchdog, TheWaitsBetweenReinstallsDoubleAndInputTheHooksSeeStartsThemAgain) {
    Settings settings;
    settings.Monitor = {true, true};
    VirtualClock clock{1'000'000, {9, 0}};
    FakeActivityHook hook{clock};
    HookWatchdog watchdog{settings, hook};
    const auto check = [&] {
        const std::int32_t newest = std::max(hook.RilGetTime(kKeyboard), hook.RilGetTime(kMouse));
        return watchdog.Check(newest, hook.LastInputTick(), clock.TickCount());
    };
    const auto reinstallTimes = [&](int seconds) {
        std::vector<std::uint32_t> at;
        for (int s = 0; s < seconds; ++s) {
            hook.InputWindowsOnly();
            clock.Advance(1000);
            if (check()) {
                at.push_back(clock.TickCount());
            }
        }
        return at;
    };
    const auto gaps = [](const std::vector<std::uint32_t>& at) {
        std::vector<std::uint32_t> between;
        for (std::size_t i = 1; i < at.size(); ++i) {
            between.push_back(at[i] - at[i - 1]);
        }
        return between;
    };

    const std::vector<std::uint32_t> at = reinstallTimes(2000);
    EXPECT_EQ(gaps(at), (std::vector<std::uint32_t>{10'000, 20'000, 40'000, 80'000, 160'000,
                                                    320'000, 600'000, 600'000}));
    EXPECT_EQ(watchdog.Reinstalls(), static_cast<int>(at.size()));

    // The user types and the hooks see it: they work. Later they miss input again.
    hook.Input(kKeyboard);
    clock.Advance(1000);
    EXPECT_FALSE(check());
    const std::uint32_t missed = clock.TickCount();
    const std::vector<std::uint32_t> again = reinstallTimes(70);
    ASSERT_EQ(again.size(), 3u) << "not by the last wait of ten minutes";
    EXPECT_LE(again[0] - missed, kHooksMissedMs + 1000) << "at once";
}

// Once installed again the hooks owe nothing for the input before: a user who stops
// there leaves them alone.
TEST(HookWatchdogOneKind, InputBeforeTheReinstallIsNotMissedAgain) {
    OneKind rig(kMouse);
    rig.hook.RemoveHooks();
    rig.clock.Advance(5000);
    rig.hook.Input(kMouse);
    rig.clock.Advance(kHooksMissedMs + 1000);
    EXPECT_TRUE(rig.Check());
    for (int s = 0; s < 30 * 60; ++s) {
        rig.clock.Advance(1000);
        rig.Check();
    }
    EXPECT_EQ(rig.watchdog.Reinstalls(), 1);
}

TEST(HookWatchdogOneKind, NothingMonitoredNothingInstalled) {
    OneKind rig(kKeyboard);
    rig.settings.Monitor = {false, false};
    rig.hook.RemoveHooks();
    rig.hook.Input(kKeyboard);
    rig.clock.Advance(60'000);
    const int installs = rig.hook.Installs();
    EXPECT_FALSE(rig.Check());
    EXPECT_EQ(rig.hook.Installs(), installs);
}

}  // namespace
}  // namespace rilto
