#pragma once
// Records what would have sounded: "beep", "pause <ms>", "play <path> wait|nowait".
// Nothing blocks and the virtual clock does not move while a pattern "plays".

#include <cstdint>
#include <string>

#include "engine/sound.h"
#include "fakes/event_log.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

class FakeSound : public Sound {
  public:
    FakeSound(EventLog& log, const VirtualClock& clock) : log_(log), clock_(clock) {}

    void PlayFile(const std::string& path, bool wait) override {
        log_.Add(clock_.Elapsed(), "play " + path + (wait ? " wait" : " nowait"));
    }
    void Beep() override { log_.Add(clock_.Elapsed(), "beep"); }
    void Pause(std::uint32_t ms) override {
        log_.Add(clock_.Elapsed(), "pause " + std::to_string(ms));
    }

  private:
    EventLog& log_;
    const VirtualClock& clock_;
};

}  // namespace rilto::fakes
