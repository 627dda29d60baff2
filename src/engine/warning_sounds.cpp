#include "engine/warning_sounds.h"

#include <utility>

#include "common/paths.h"

namespace rilto {

namespace {

// Pauses of the beep patterns.
constexpr std::uint32_t kPrePauseMs = 250;
constexpr std::uint32_t kShortPauseMs = 166;  // half of 333, rounded half to even
constexpr std::uint32_t kLongPauseMs = 999;

}  // namespace

std::string ResolveSoundFile(const std::string& name, const std::string& programFolder) {
    if (name.find(kFolderSeparator) != std::string::npos) {
        return name;
    }
    return JoinPath(programFolder, name);
}

WarningSounds::WarningSounds(Sound& sound, const Settings& settings, std::string programFolder)
    : sound_(sound), settings_(settings), programFolder_(std::move(programFolder)) {}

// A file name of blanks counts as set: only the empty name selects the beeps.

void WarningSounds::AudibleWarningPre() {
    if (!settings_.WarningSoundPre.empty()) {
        PlaySoundWait(settings_.WarningSoundPre);
        return;
    }
    PlayBeeps({{4, kPrePauseMs}}, 0);
}

void WarningSounds::AudibleWarning(std::function<void()> then) {
    if (!settings_.WarningSound.empty()) {
        PlaySoundWait(settings_.WarningSound, std::move(then));
        return;
    }
    PlayBeeps({{1, kShortPauseMs}, {3, kLongPauseMs}}, kLongPauseMs, std::move(then));
}

void WarningSounds::AudibleWarningX() {
    if (!settings_.WarningSoundX.empty()) {
        PlaySoundNoWait(settings_.WarningSoundX);
        return;
    }
    PlayBeeps({{3, kShortPauseMs}, {4, kLongPauseMs}}, kLongPauseMs);
}

void WarningSounds::AudibleNotification() {
    sound_.Play({SoundStep::Beep()}, {});
}

void WarningSounds::PlaySoundWait(const std::string& file, std::function<void()> then) {
    sound_.Play({SoundStep::File(ResolveSoundFile(file, programFolder_), true)}, std::move(then));
}

void WarningSounds::PlaySoundNoWait(const std::string& file) {
    sound_.Play({SoundStep::File(ResolveSoundFile(file, programFolder_), false)}, {});
}

void WarningSounds::PlayBeeps(std::initializer_list<BeepRun> runs, std::uint32_t finalPauseMs,
                              std::function<void()> then) {
    SoundSteps steps;
    for (const BeepRun& run : runs) {
        for (int i = 0; i < run.beeps; ++i) {
            steps.push_back(SoundStep::Beep());
            steps.push_back(SoundStep::Pause(run.pauseMs));
        }
    }
    if (finalPauseMs > 0) {
        steps.push_back(SoundStep::Pause(finalPauseMs));
    }
    sound_.Play(std::move(steps), std::move(then));
}

}  // namespace rilto
