// Rest accounting in the real program: with no input a due exercise reminder never comes,
// while input from another program brings it on time; a lock as long as AwayM starts the
// countdown again whatever input it makes; a suspend ends a running break and closes the
// player; hooks the hook library drops are installed again. The tests that count minutes
// give the program a minute of a few seconds; the polls for input stay 3 real seconds.

#include <windows.h>

#include <wtsapi32.h>

#include <algorithm>

#include "engine/frm_rilto_ids.h"
#include "support/exercise_support.h"
#include "support/rilto_test.h"
#include "tools/input_sender.h"

namespace harness {
namespace {

constexpr DWORD kWait = harness::kShowWait;
constexpr DWORD kSecond = 1000;
constexpr wchar_t kDropHooksVariable[] = L"RILTO_TEST_DROP_HOOKS_MS";

// What Windows does for power and session changes: the message to every top-level window
// of the process, hidden ones too.
void SendToEveryWindow(DWORD processId, UINT msg, WPARAM wp) {
    struct Target {
        DWORD processId;
        UINT msg;
        WPARAM wp;
    } target{processId, msg, wp};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            const auto* t = reinterpret_cast<const Target*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == t->processId) {
                DWORD_PTR result = 0;
                SendMessageTimeoutW(hwnd, t->msg, t->wp, 0, SMTO_ABORTIFHUNG, kWait, &result);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&target));
}

class AwayTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Micropause", L"InterruptEvery", L"60");  // no micropause in the way
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Exercise", L"EveryM", L"3");
        WriteSetting(L"Exercise", L"AwayM", L"1");
    }
    bool ReminderShown() const { return ReminderWindow(running_.Id()) != nullptr; }
    std::wstring ExerciseLabel() const { return TextOf(FormControl(IDC_LBLEXERCISE)); }
    // Input from this program, another one to rilto32, for `ms` or until `done`: every 10
    // seconds, and at least four times a minute, so that no minute is time away.
    bool WorkFor(
        DWORD ms, const std::function<bool()>& done = [] { return false; }) {
        const DWORD every = std::min<DWORD>(10 * kSecond, minute_ / 4);
        const DWORD from = GetTickCount();
        while (GetTickCount() - from < ms) {
            hooktest::SendKey();
            hooktest::SendMouseMove();
            if (WaitUntil(done, every)) {
                return true;
            }
        }
        return false;
    }
    // Works until the exercise label reads `text`, for a few minutes at most.
    bool WorkUntilLabel(const std::wstring& text) {
        return WorkFor(3 * minute_ + kWait, [&] { return ExerciseLabel() == text; });
    }
    // The status window's diagnostic text, from a double click on lblvoluntary.
    std::wstring Diagnostics() {
        Command(IDM_POPUP_STATUS);
        if (!WaitUntil([&] { return Shown(); }, kWait)) {
            return L"";
        }
        PumpFor(300);
        // A loaded machine may lay the screen out after the first look, or take the two
        // clicks apart: the double click is given again until the figures show.
        std::wstring text;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const POINT voluntary = CentreOf(FormControl(IDC_LBLVOLUNTARY));
            DoubleClickAt(voluntary.x, voluntary.y);
            if (WaitUntil(
                    [&] {
                        return (text = TextOf(FormControl(IDC_LBLESC))).find(L';') != text.npos;
                    },
                    kWait / 3)) {
                break;
            }
        }
        PressKey(VK_RETURN);
        WaitUntil([&] { return !Shown(); }, kWait);
        return text;
    }
};

// Without the away time the reminder would come at the third minute.
TEST_F(AwayTest, IdleNoReminderInFourMinutes) {
    ShortenMinute(4 * kSecond);
    Start();
    EXPECT_FALSE(WaitUntil([&] { return ReminderShown(); }, 4 * minute_));
    // Counted away at each minute: the countdown stands at its full 3.
    EXPECT_EQ(ExerciseLabel(), L"Next Exercise Break: 2 minutes");
}

// Timed from the first minute's tick, which the label shows: the reminder comes two
// minutes later, at the third, neither at the second nor at the fourth.
TEST_F(AwayTest, InputReminderComesOnTime) {
    ShortenMinute(6 * kSecond);
    Start();
    ASSERT_TRUE(WorkUntilLabel(L"Next Exercise Break: 1 minutes")) << ExerciseLabel();
    const DWORD from = GetTickCount();
    ASSERT_TRUE(WorkFor(4 * minute_, [&] { return ReminderShown(); }));
    const DWORD took = GetTickCount() - from;
    EXPECT_GE(took, 2 * minute_ - minute_ / 2);
    EXPECT_LT(took, 3 * minute_);
}

// A suspend that no resume follows (any program may post one): the input after it says
// the machine is awake, and the reminder comes, where the program would otherwise take
// the user for away until the next real resume.
TEST_F(AwayTest, InputAfterASuspendWithoutResumeBringsTheReminder) {
    ShortenMinute(4 * kSecond);
    Start();
    ASSERT_TRUE(WorkUntilLabel(L"Next Exercise Break: 1 minutes")) << ExerciseLabel();
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMSUSPEND);
    EXPECT_TRUE(WorkFor(8 * minute_, [&] { return ReminderShown(); })) << ExerciseLabel();
}

// Locked for a minute and more while input goes on (the lock screen's): away all the same.
// The countdown of 5 has counted its first minute when the lock comes; it stands at its
// full 5 again while still locked, and after the lock it counts on from there.
TEST_F(AwayTest, ALockAsLongAsAwayMStartsTheCountdownAgain) {
    ShortenMinute(4 * kSecond);
    WriteSetting(L"Exercise", L"EveryM", L"5");
    Start();
    ASSERT_TRUE(WorkUntilLabel(L"Next Exercise Break: 3 minutes")) << ExerciseLabel();
    SendToEveryWindow(running_.Id(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK);
    const DWORD lockedAt = GetTickCount();
    EXPECT_TRUE(WorkUntilLabel(L"Next Exercise Break: 4 minutes")) << ExerciseLabel();
    // Away takes AwayM, a minute without input that counts, from the last input seen
    // before the lock (at most a quarter of a minute before it): not the lock at once.
    EXPECT_GE(GetTickCount() - lockedAt, minute_ / 2);
    SendToEveryWindow(running_.Id(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
    // Back at work, the count goes on from the full 5.
    EXPECT_TRUE(WorkUntilLabel(L"Next Exercise Break: 3 minutes")) << ExerciseLabel();
    EXPECT_FALSE(ReminderShown());
}

TEST_F(AwayTest, ASuspendEndsABreakAndClosesThePlayer) {
    WriteSetting(L"Exercise", L"EveryM", L"50");
    WriteSetting(L"Exercise", L"Scheme", L"Test");
    WriteScheme(L"Test", {{FirstMediaFile(L".avi"), L"Moving", 30}});
    Start();
    Command(IDM_EXERCISE);
    ASSERT_TRUE(WaitUntil([&] { return PlayerWindow(running_.Id()) != nullptr; }, kWait));
    PumpFor(1500);
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMSUSPEND);
    EXPECT_EQ(PlayerWindow(running_.Id()), nullptr) << "closed before the sleep";
    EXPECT_EQ(ExerciseLabel(), L"Next Exercise Break: 49 minutes");
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);

    // A micropause running then ends too, and waking brings nothing.
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMSUSPEND);
    EXPECT_FALSE(Shown());
    SendToEveryWindow(running_.Id(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_FALSE(WaitUntil([&] { return Shown() || ReminderShown(); }, 3 * kSecond));
    EXPECT_TRUE(running_.Running());
}

// The hook library drops its hooks 3 s after it sets them, as Windows would; input that
// Windows still sees brings them back at the next poll, and they record input again.
TEST_F(AwayTest, HooksDroppedByTheLibraryComeBack) {
    SetEnvironmentVariableW(kDropHooksVariable, L"3000");
    Start();
    SetEnvironmentVariableW(kDropHooksVariable, nullptr);
    PumpFor(6 * kSecond);
    WorkFor(8 * kSecond);
    const std::wstring first = Diagnostics();
    EXPECT_NE(first.find(L"; hooks installed again: 1"), first.npos)
        << std::string(first.begin(), first.end());
    // The keyboard's current hook time (the second number) moves with the next key.
    const auto keyboardTime = [](const std::wstring& text) {
        const std::size_t a = text.find(L'/');
        return a == text.npos ? std::wstring() : text.substr(a + 1, text.find(L'/', a + 1) - a - 1);
    };
    // A loaded machine may give the program's hook no turn for a key (Windows and Wine
    // allow a low-level hook only so long): the key is given again, up to 3 times.
    std::wstring second;
    for (int attempt = 0; attempt < 3; ++attempt) {
        PumpFor(1500);
        hooktest::SendKey();
        PumpFor(500);
        second = Diagnostics();
        if (!second.empty() && keyboardTime(second) != keyboardTime(first)) {
            break;
        }
    }
    EXPECT_NE(keyboardTime(second), keyboardTime(first))
        << std::string(second.begin(), second.end());
    EXPECT_NE(second.find(L"; hooks installed again: 1"), second.npos);
}

}  // namespace
}  // namespace harness
