#pragma once
// The exercise player and the reminder replaced by views that record what they were
// asked to do, and answer the player's question as a test sets.

#include <cstdint>
#include <string>
#include <vector>

#include "exercise/exercise_player.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

struct FakePlayer : ExercisePlayer {
    void PrepareBreak() override { ++breaksPrepared; }
    void PresentExercise(const std::string& file, bool first) override {
        (first ? forward : backward).push_back(file);
    }
    void SetCaption(const std::string& text) override { caption = text; }
    void CloseVideo() override { ++videoClosed; }
    void ClosePlayer() override { ++closed; }
    bool AskQuit() override {
        ++asked;
        return answerYes;
    }

    std::vector<std::string> forward;   // presented moving forward, in order
    std::vector<std::string> backward;  // presented by the previous button
    std::string caption;
    int breaksPrepared = 0;
    int videoClosed = 0;
    int closed = 0;
    int asked = 0;
    bool answerYes = false;
};

struct FakeReminder : ExerciseReminder {
    explicit FakeReminder(const VirtualClock& clock) : clock_(clock) {}
    void Show(const std::string& minutes) override {
        shown = true;
        text = minutes;
        shownAt.push_back(clock_.Elapsed());
    }
    void Close() override { shown = false; }
    void EnableLater(bool enabled) override { laterEnabled = enabled; }
    bool shown = false;
    std::string text;
    bool laterEnabled = true;
    // When it showed, in virtual milliseconds since the test began.
    std::vector<std::uint64_t> shownAt;

  private:
    const VirtualClock& clock_;
};

}  // namespace rilto::fakes
