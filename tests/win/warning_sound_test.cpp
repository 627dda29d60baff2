// The warning sounds play while the program goes on answering: its windows take messages
// all through a beep pattern, and a micropause's screen still comes only once its start
// sound has ended.

#include <algorithm>

#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

// How long the program may take to answer while a pattern plays. The patterns sleep
// for seconds between their beeps; the program must not.
constexpr DWORD kAnswerMs = 100;
constexpr DWORD kSampleEveryMs = 20;
constexpr DWORD kShortMinute = 4000;
// Start-up goes on a little after the program has said it is up (its tray icon, its
// first polls): measured after that.
constexpr DWORD kSettleMs = 2000;
// The exercise warning's beep pattern lasts about 5.5 s, the micropause's about 4.2 s.
constexpr DWORD kExercisePatternMs = 5500;
constexpr DWORD kStartPatternMs = 4100;

// The longest the program took to answer WM_NULL, sampled until `done` says so or
// `limitMs` has passed.
template <typename Done>
DWORD WorstAnswer(HWND hwnd, DWORD limitMs, Done done) {
    DWORD worst = 0;
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < limitMs && !done()) {
        const ULONGLONG before = GetTickCount64();
        DWORD_PTR result = 0;
        const LRESULT answered =
            SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
        const auto took = static_cast<DWORD>(GetTickCount64() - before);
        worst = std::max(worst, answered != 0 ? took : 10000u);
        Sleep(kSampleEveryMs);
    }
    return worst;
}

class WarningSound : public RiltoTest {};

// The reminder comes at the first short minute, after the exercise warning's beeps.
TEST_F(WarningSound, TheProgramAnswersAllThroughTheExerciseWarning) {
    ShortenMinute(kShortMinute);
    WriteSetting(L"Micropause", L"InterruptEvery", L"1000");
    WriteSetting(L"Exercise", L"EveryM", L"1");
    WriteSetting(L"Exercise", L"AudibleX", L"1");
    WriteSetting(L"Exercise", L"WarningSoundX", L"");
    Start();
    const HWND tray = TrayWindow();
    ASSERT_NE(tray, nullptr);
    Sleep(kSettleMs);
    ASSERT_EQ(ReminderWindow(running_.Id()), nullptr);

    // Until the reminder is up, and on for the length of the pattern.
    DWORD worst = WorstAnswer(tray, 3 * kShortMinute + 2 * kExercisePatternMs,
                              [&] { return ReminderWindow(running_.Id()) != nullptr; });
    ASSERT_NE(ReminderWindow(running_.Id()), nullptr);
    worst = std::max(worst, WorstAnswer(tray, kExercisePatternMs + 1000, [] { return false; }));
    EXPECT_LT(worst, kAnswerMs);
}

TEST_F(WarningSound, TheMicropauseScreenComesWhenItsStartSoundHasEnded) {
    WriteSetting(L"Micropause", L"Audible", L"1");
    WriteSetting(L"Micropause", L"WarningSound", L"");
    Start();
    const HWND tray = TrayWindow();
    ASSERT_NE(tray, nullptr);
    ASSERT_FALSE(Shown());
    Sleep(kSettleMs);

    const ULONGLONG asked = GetTickCount64();
    MicropauseNow();
    const DWORD worst = WorstAnswer(tray, 3 * kStartPatternMs, [&] { return Shown(); });
    const ULONGLONG shownAfter = GetTickCount64() - asked;
    ASSERT_TRUE(Shown());
    EXPECT_LT(worst, kAnswerMs);
    EXPECT_GE(shownAfter, kStartPatternMs) << "the screen waits for the sound";
}

}  // namespace
}  // namespace harness
