#pragma once
// What the warning sounds need of the system: a player of sound patterns. A pattern is
// a list of steps (a beep, a pause, a wave file) that plays away from the user-interface
// thread, so the program keeps answering while it sounds.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace rilto {

struct SoundStep {
    enum class Kind { beep, pause, file };
    Kind kind = Kind::beep;
    // A pause's length.
    std::uint32_t ms = 0;
    // A wave file (full path), and whether the next step waits until it ends.
    std::string path;
    bool wait = false;

    static SoundStep Beep() { return {Kind::beep, 0, {}, false}; }
    static SoundStep Pause(std::uint32_t ms) { return {Kind::pause, ms, {}, false}; }
    static SoundStep File(std::string path, bool wait) {
        return {Kind::file, 0, std::move(path), wait};
    }
};

using SoundSteps = std::vector<SoundStep>;

class Sound {
  public:
    virtual ~Sound() = default;
    // Queues a pattern and returns at once. Patterns play whole, one after another, in
    // the order they came. `done`, when given, runs on the user-interface thread once
    // the pattern has played; it never runs after the player is gone.
    virtual void Play(SoundSteps steps, std::function<void()> done) = 0;
};

}  // namespace rilto
