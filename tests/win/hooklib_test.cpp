// The activity hook library fed with SendInput, and the program's adapter for it.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "engine/activity_hook.h"
#include "engine/activity_hook_win.h"
#include "hooklib/rsiorril.h"
#include "common/wide_text_win.h"
#include "support/harness.h"
#include "tools/input_sender.h"

namespace {

using hooktest::SendKey;
using hooktest::SendMouseMove;
using rilto::IsLater;
using rsiorril::kKeyboard;
using rsiorril::kMouse;
using rsiorril::kNotSwitched;
using rsiorril::kSwitched;

const std::wstring kLibrary = rilto::Widen(rilto::kHookLibraryFile);
constexpr DWORD kSeenWithinMs = 3000;
// Longer than one tick of GetTickCount, so that new input gets a later time.
constexpr DWORD kTickGapMs = 50;
constexpr DWORD kHelperWithinMs = 15000;

std::int32_t Tick() {
    return static_cast<std::int32_t>(GetTickCount());
}

bool Within(std::int32_t t, std::int32_t from, std::int32_t to) {
    return !IsLater(from, t) && !IsLater(t, to);
}

std::set<DWORD> ThreadsOfThisProcess() {
    std::set<DWORD> ids;
    rilto::UniqueHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL ok = Thread32First(snap.get(), &e); ok; ok = Thread32Next(snap.get(), &e)) {
        if (e.th32OwnerProcessID == GetCurrentProcessId()) {
            ids.insert(e.th32ThreadID);
        }
    }
    return ids;
}

std::optional<DWORD> RunHelper(const std::wstring& arguments) {
    harness::Process helper(harness::BinPath(L"hook_helper.exe"), arguments);
    return helper.Started() ? helper.WaitExit(kHelperWithinMs) : std::nullopt;
}

class HookLibraryTest : public testing::Test {
  protected:
    void SetUp() override {
        loadTick_ = Tick();
        library_ = LoadLibraryW(harness::BinPath(kLibrary).c_str());
        ASSERT_NE(library_, nullptr);
        install_ = reinterpret_cast<rsiorril::InstallFilterFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, rsiorril::kInstallFilterName)));
        getTime_ = reinterpret_cast<rsiorril::RilGetTimeFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, rsiorril::kRilGetTimeName)));
        ASSERT_NE(install_, nullptr);
        ASSERT_NE(getTime_, nullptr);
    }
    void TearDown() override {
        if (library_ != nullptr) {
            install_(kKeyboard, rilto::kFilterOff);
            install_(kMouse, rilto::kFilterOff);
            FreeLibrary(library_);
        }
    }
    std::int32_t On(std::int32_t kind) { return install_(kind, rilto::kFilterOn); }
    std::int32_t Off(std::int32_t kind) { return install_(kind, rilto::kFilterOff); }
    // Waits until the kind's time moves past `old`.
    bool Advances(std::int32_t kind, std::int32_t old) {
        return harness::WaitUntil([&] { return IsLater(getTime_(kind), old); }, kSeenWithinMs);
    }
    // Input of the other kind is sent after that of `kind`; once the later event has
    // reached its hook, the earlier one has been through the hooks too.
    bool StaysPutWhileInputFlows(std::int32_t kind) {
        const std::int32_t before = getTime_(kind);
        const std::int32_t other = kind == kKeyboard ? kMouse : kKeyboard;
        const std::int32_t otherBefore = getTime_(other);
        Sleep(kTickGapMs);
        EXPECT_TRUE(kind == kKeyboard ? SendKey() && SendMouseMove()
                                      : SendMouseMove() && SendKey());
        EXPECT_TRUE(Advances(other, otherBefore)) << "the input never arrived";
        return getTime_(kind) == before;
    }

    std::int32_t loadTick_ = 0;
    HMODULE library_ = nullptr;
    rsiorril::InstallFilterFn install_ = nullptr;
    rsiorril::RilGetTimeFn getTime_ = nullptr;
};

TEST_F(HookLibraryTest, EachKindRecordsItsOwnInputOnly) {
    // Before any input both times hold the moment of loading, and stay there.
    const std::int32_t loaded = getTime_(kKeyboard);
    EXPECT_TRUE(Within(loaded, loadTick_, Tick()));
    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(On(kMouse), kSwitched);
    Sleep(kTickGapMs);
    EXPECT_EQ(getTime_(kKeyboard), loaded);
    EXPECT_EQ(getTime_(kMouse), loaded);

    std::int32_t sent = Tick();
    ASSERT_TRUE(SendKey());
    ASSERT_TRUE(Advances(kKeyboard, loaded));
    EXPECT_TRUE(Within(getTime_(kKeyboard), sent, Tick()));
    Sleep(kTickGapMs);
    EXPECT_EQ(getTime_(kMouse), loaded);

    const std::int32_t keyboard = getTime_(kKeyboard);
    sent = Tick();
    ASSERT_TRUE(SendMouseMove());
    ASSERT_TRUE(Advances(kMouse, loaded));
    EXPECT_TRUE(Within(getTime_(kMouse), sent, Tick()));
    Sleep(kTickGapMs);
    EXPECT_EQ(getTime_(kKeyboard), keyboard);
}

TEST_F(HookLibraryTest, KindSwitchedOffRecordsNothing) {
    ASSERT_EQ(On(kMouse), kSwitched);
    EXPECT_TRUE(StaysPutWhileInputFlows(kKeyboard)) << "never switched on";
    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(Off(kKeyboard), kSwitched);
    EXPECT_TRUE(StaysPutWhileInputFlows(kKeyboard)) << "switched off again";

    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(Off(kMouse), kSwitched);
    EXPECT_TRUE(StaysPutWhileInputFlows(kMouse));
}

TEST_F(HookLibraryTest, RepeatedSwitchingIsHarmlessAndUnknownKindsAreIgnored) {
    // Switching is a state, not a count: one "off" undoes any number of "on".
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(On(kKeyboard), kSwitched);
        ASSERT_EQ(On(kMouse), kSwitched);
    }
    ASSERT_EQ(Off(kKeyboard), kSwitched);
    EXPECT_TRUE(StaysPutWhileInputFlows(kKeyboard));
    ASSERT_EQ(Off(kKeyboard), kSwitched);
    ASSERT_EQ(Off(kMouse), kSwitched);
    ASSERT_EQ(Off(kMouse), kSwitched);

    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(On(i % 2), kSwitched);
        ASSERT_EQ(On(1 - i % 2), kSwitched);
        ASSERT_EQ(Off(kKeyboard), kSwitched);
        ASSERT_EQ(Off(kMouse), kSwitched);
    }
    for (std::int32_t unknown : {-1, 2, 1000}) {
        EXPECT_EQ(install_(unknown, rilto::kFilterOn), kNotSwitched);
        EXPECT_EQ(install_(unknown, rilto::kFilterOff), kNotSwitched);
        EXPECT_EQ(getTime_(unknown), 0);
    }
    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(On(kMouse), kSwitched);
    Sleep(kTickGapMs);
    const std::int32_t keyboard = getTime_(kKeyboard);
    const std::int32_t mouse = getTime_(kMouse);
    ASSERT_TRUE(SendKey() && SendMouseMove());
    EXPECT_TRUE(Advances(kKeyboard, keyboard));
    EXPECT_TRUE(Advances(kMouse, mouse));
}

TEST_F(HookLibraryTest, KeepsRecordingWhileTheCallerIsBlocked) {
    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(On(kMouse), kSwitched);
    const std::int32_t blockedFrom = Tick();
    std::int32_t sentFrom = 0;
    bool sent = false;
    std::thread sender([&] {
        Sleep(1000);
        sentFrom = Tick();
        sent = SendKey() && SendMouseMove();
    });
    Sleep(3000);  // no message is pumped here meanwhile
    const std::int32_t blockedTo = Tick();
    const std::int32_t keyboard = getTime_(kKeyboard);
    const std::int32_t mouse = getTime_(kMouse);
    sender.join();
    ASSERT_TRUE(sent);
    ASSERT_TRUE(IsLater(sentFrom, blockedFrom));
    EXPECT_TRUE(Within(keyboard, sentFrom, blockedTo));
    EXPECT_TRUE(Within(mouse, sentFrom, blockedTo));
}

TEST_F(HookLibraryTest, RecordsInputOfOtherPrograms) {
    ASSERT_EQ(On(kKeyboard), kSwitched);
    ASSERT_EQ(On(kMouse), kSwitched);
    const std::int32_t before = Tick();
    ASSERT_EQ(RunHelper(L"send 100"), 0u);
    EXPECT_TRUE(Within(getTime_(kKeyboard), before, Tick()));
    EXPECT_TRUE(Within(getTime_(kMouse), before, Tick()));
}

TEST_F(HookLibraryTest, HookThreadRunsOnlyWhileAKindIsOn) {
    const std::set<DWORD> idle = ThreadsOfThisProcess();
    ASSERT_EQ(On(kKeyboard), kSwitched);
    std::set<DWORD> running = ThreadsOfThisProcess();
    std::erase_if(running, [&](DWORD id) { return idle.contains(id); });
    ASSERT_EQ(running.size(), 1u);
    rilto::UniqueHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, *running.begin()));
    EXPECT_EQ(GetThreadPriority(thread.get()), THREAD_PRIORITY_TIME_CRITICAL);

    ASSERT_EQ(On(kMouse), kSwitched);
    ASSERT_EQ(Off(kKeyboard), kSwitched);
    EXPECT_EQ(ThreadsOfThisProcess().size(), idle.size() + 1);
    ASSERT_EQ(Off(kMouse), kSwitched);
    EXPECT_EQ(ThreadsOfThisProcess(), idle);

    // Nothing holds the library any more: freeing it unloads it.
    FreeLibrary(std::exchange(library_, nullptr));
    EXPECT_EQ(GetModuleHandleW(kLibrary.c_str()), nullptr);
}

TEST(HookLibraryEnd, ProcessEndsWithKindsOnOrTheLibraryFreed) {
    const std::wstring dll = L"\"" + harness::BinPath(kLibrary) + L"\"";
    EXPECT_EQ(RunHelper(L"exit-while-on " + dll), 0u);
    EXPECT_EQ(RunHelper(L"unload-while-on " + dll), 0u);
}

// Counts the calls of onUnavailable. The callback polls the hook again, as a timer
// tick may while the program's message box about the missing library pumps messages.
struct CountedHook {
    explicit CountedHook(std::wstring path)
        : hook(std::move(path), [this] {
              ++unavailableCalls;
              EXPECT_EQ(hook.RilGetTime(kKeyboard), 0);
          }) {}
    CountedHook(const CountedHook&) = delete;
    CountedHook& operator=(const CountedHook&) = delete;
    int unavailableCalls = 0;
    rilto::WinActivityHook hook;
};

TEST(WinActivityHookTest, UsesTheLibraryBesideTheProgramOrAtTheGivenPath) {
    int unavailableCalls = 0;
    rilto::WinActivityHook besideProgram([&] { ++unavailableCalls; });
    EXPECT_TRUE(besideProgram.Available());

    CountedHook given(harness::BinPath(kLibrary));
    ASSERT_EQ(given.hook.InstallFilter(kKeyboard, rilto::kFilterOn), kSwitched);
    Sleep(kTickGapMs);
    const std::int32_t before = given.hook.RilGetTime(kKeyboard);
    ASSERT_TRUE(SendKey());
    EXPECT_TRUE(harness::WaitUntil(
        [&] { return IsLater(given.hook.RilGetTime(kKeyboard), before); }, kSeenWithinMs));
    EXPECT_TRUE(given.hook.Available());
    given.hook.InstallFilter(kKeyboard, rilto::kFilterOff);
    EXPECT_EQ(unavailableCalls + given.unavailableCalls, 0);
}

TEST(WinActivityHookTest, MissingLibraryOrExportIsReportedOnceAndCallsAreHarmless) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    // A path with no file (while an rsiorril.dll beside this program is on the search
    // path, which must not supply it), a library without the exports, no path at all.
    for (const std::wstring& path : {harness::BinPath(L"missing\\rsiorril.dll"),
                                     std::wstring(system) + L"\\kernel32.dll", std::wstring()}) {
        // Each makes its first call through another member: any of them loads.
        CountedHook first[3] = {CountedHook(path), CountedHook(path), CountedHook(path)};
        EXPECT_FALSE(first[0].hook.Available());
        EXPECT_EQ(first[1].hook.InstallFilter(kKeyboard, rilto::kFilterOn), 0);
        EXPECT_EQ(first[2].hook.RilGetTime(kMouse), 0);
        for (auto& c : first) {
            EXPECT_EQ(c.hook.InstallFilter(kMouse, rilto::kFilterOn), 0);
            EXPECT_EQ(c.hook.RilGetTime(kKeyboard), 0);
            EXPECT_FALSE(c.hook.Available());
            EXPECT_EQ(c.unavailableCalls, 1);
        }
    }
}

}  // namespace
