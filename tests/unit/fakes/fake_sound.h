#pragma once
// Records what would have sounded: "beep", "pause <ms>", "play <path> wait|nowait".
// Nothing blocks and the virtual clock does not move while a pattern "plays": a
// pattern's `done` runs at once, or, with HoldPatterns, only when FinishPatterns says
// the held patterns have ended.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/sound.h"
#include "fakes/event_log.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

class FakeSound : public Sound {
  public:
    FakeSound(EventLog& log, const VirtualClock& clock) : log_(log), clock_(clock) {}

    void Play(SoundSteps steps, std::function<void()> done) override {
        for (const SoundStep& step : steps) {
            log_.Add(clock_.Elapsed(), Text(step));
        }
        ++patterns_;
        if (!done) {
            return;
        }
        if (held_) {
            pending_.push_back(std::move(done));
        } else {
            done();
        }
    }

    // Patterns from now on "play" until FinishPatterns.
    void HoldPatterns() { held_ = true; }
    // The held patterns end, in order; later ones end at once again.
    void FinishPatterns() {
        held_ = false;
        std::vector<std::function<void()>> due;
        due.swap(pending_);
        for (const auto& done : due) {
            done();
        }
    }
    int Patterns() const { return patterns_; }

    static std::string Text(const SoundStep& step) {
        switch (step.kind) {
            case SoundStep::Kind::beep:
                return "beep";
            case SoundStep::Kind::pause:
                return "pause " + std::to_string(step.ms);
            case SoundStep::Kind::file:
                return "play " + step.path + (step.wait ? " wait" : " nowait");
        }
        return {};
    }

  private:
    EventLog& log_;
    const VirtualClock& clock_;
    bool held_ = false;
    int patterns_ = 0;
    std::vector<std::function<void()>> pending_;
};

}  // namespace rilto::fakes
