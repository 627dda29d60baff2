#pragma once
// What the warning sounds need of the system.

#include <cstdint>
#include <string>

namespace rilto {

class Sound {
  public:
    virtual ~Sound() = default;
    // Plays a wave file (full path); `wait` blocks until it ends.
    virtual void PlayFile(const std::string& path, bool wait) = 0;
    // The system's default beep.
    virtual void Beep() = 0;
    // Blocks the calling thread.
    virtual void Pause(std::uint32_t ms) = 0;
};

}  // namespace rilto
