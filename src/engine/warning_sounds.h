#pragma once
// The audible signals of the break cycle. Each plays the user's wave file when one
// is set, and otherwise a fixed pattern of system beeps with pauses. Whether a
// signal sounds at all (Audible, AudiblePre, AudibleX) is the caller's test. This
// decides what plays; the sound port plays it off the user-interface thread, so
// every call returns at once.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "engine/sound.h"
#include "common/settings.h"

namespace rilto {

// A wave file name without any "\" lies in the program folder; any other name is
// used as it stands, relative or absolute.
std::string ResolveSoundFile(const std::string& name, const std::string& programFolder);

class WarningSounds {
  public:
    // `settings` supplies WarningSoundPre, WarningSound and WarningSoundX as they are
    // at each call.
    WarningSounds(Sound& sound, const Settings& settings, std::string programFolder);

    // One minute before a micropause.
    void AudibleWarningPre();
    // A micropause starts: `then` runs once the sound has ended (the wave file too).
    void AudibleWarning(std::function<void()> then = {});
    // An exercise break is due.
    void AudibleWarningX();
    // A micropause has ended: always one beep.
    void AudibleNotification();

    // A later sound waits until this file has ended; `then` runs once it has.
    void PlaySoundWait(const std::string& file, std::function<void()> then = {});
    void PlaySoundNoWait(const std::string& file);

  private:
    struct BeepRun {
        int beeps;
        std::uint32_t pauseMs;  // after each beep
    };
    void PlayBeeps(std::initializer_list<BeepRun> runs, std::uint32_t finalPauseMs,
                   std::function<void()> then = {});

    Sound& sound_;
    const Settings& settings_;
    std::string programFolder_;
};

}  // namespace rilto
