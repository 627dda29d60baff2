// The warning sounds play while the program goes on answering: its windows take messages
// all through a beep pattern, and a micropause's screen still comes only once its start
// sound has ended.

#include <algorithm>
#include <ostream>

#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

// How long the program may take to answer while a pattern plays. The patterns sleep
// for seconds between their beeps; the program must not. A loaded machine (the other
// Wine tests beside this one) may keep any process from running for a while now and
// then: a few late answers are the machine's, while a program that sleeps is late in
// every answer for as long as its pattern plays.
constexpr DWORD kAnswerMs = 100;
constexpr int kLateAnswersPerHundred = 10;
constexpr DWORD kSampleEveryMs = 20;
constexpr DWORD kShortMinute = 4000;
// Start-up goes on a little after the program has said it is up (its tray icon, its
// first polls): measured after that.
constexpr DWORD kSettleMs = 2000;
// The exercise warning's beep pattern lasts about 5.5 s, the micropause's about 4.2 s.
constexpr DWORD kExercisePatternMs = 5500;
constexpr DWORD kStartPatternMs = 4100;

// How the program answered WM_NULL, asked again and again.
struct Answers {
    int asked = 0;
    int late = 0;  // after more than kAnswerMs
    DWORD worst = 0;

    void Add(const Answers& more) {
        asked += more.asked;
        late += more.late;
        worst = std::max(worst, more.worst);
    }
    bool Prompt() const { return asked > 0 && late * 100 <= asked * kLateAnswersPerHundred; }
};

std::ostream& operator<<(std::ostream& out, const Answers& a) {
    return out << a.late << " of " << a.asked << " answers late, the latest after " << a.worst
               << " ms";
}

// The program's answers to WM_NULL, sampled until `done` says so or `limitMs` has passed.
template <typename Done>
Answers AnswersOf(HWND hwnd, DWORD limitMs, Done done) {
    Answers answers;
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < limitMs && !done()) {
        const ULONGLONG before = GetTickCount64();
        DWORD_PTR result = 0;
        const LRESULT answered =
            SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
        const auto took = static_cast<DWORD>(GetTickCount64() - before);
        const DWORD counted = answered != 0 ? took : 10000u;
        ++answers.asked;
        answers.late += counted > kAnswerMs ? 1 : 0;
        answers.worst = std::max(answers.worst, counted);
        Sleep(kSampleEveryMs);
    }
    return answers;
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
    Answers answers = AnswersOf(tray, 3 * kShortMinute + 2 * kExercisePatternMs,
                                [&] { return ReminderWindow(running_.Id()) != nullptr; });
    ASSERT_NE(ReminderWindow(running_.Id()), nullptr);
    answers.Add(AnswersOf(tray, kExercisePatternMs + 1000, [] { return false; }));
    EXPECT_TRUE(answers.Prompt()) << answers;
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
    const Answers answers = AnswersOf(tray, 3 * kStartPatternMs, [&] { return Shown(); });
    const ULONGLONG shownAfter = GetTickCount64() - asked;
    ASSERT_TRUE(Shown());
    EXPECT_TRUE(answers.Prompt()) << answers;
    EXPECT_GE(shownAfter, kStartPatternMs) << "the screen waits for the sound";
}

}  // namespace
}  // namespace harness
