#pragma once
// Wave files through sndPlaySound, the default beep, and blocking pauses.

#include "engine/sound.h"

namespace rilto {

class WinSound : public Sound {
  public:
    // A missing or unreadable file plays the system's default sound instead.
    void PlayFile(const std::string& path, bool wait) override;
    void Beep() override;
    void Pause(std::uint32_t ms) override;
};

}  // namespace rilto
