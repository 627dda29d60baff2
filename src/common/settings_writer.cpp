#include "common/settings_writer.h"

#include "common/settings_loader.h"

namespace rilto {

namespace {

// Settings or const Settings alike.
template <class S>
auto SoundField(S& settings, int target) -> decltype(&settings.WarningSound) {
    switch (static_cast<SoundTarget>(target)) {
        case SoundTarget::Start:
            return &settings.WarningSound;
        case SoundTarget::Exercise:
            return &settings.WarningSoundX;
        case SoundTarget::Early:
            return &settings.WarningSoundPre;
    }
    return nullptr;
}

}  // namespace

const std::string* SoundSetting(const Settings& settings, int target) {
    return SoundField(settings, target);
}

void SettingsWriter::Load() {
    settings_ = LoadSettings(store_);
}

void SettingsWriter::Apply(const Settings& changed) {
    settings_ = changed;
    KeepEscapeLock(settings_, store_);
}

void SettingsWriter::UseScheme(const std::string& name) {
    settings_.Scheme = name;
}

void SettingsWriter::SetNumAtaTime(std::int32_t count) {
    settings_.NumAtaTime = count;
}

void SettingsWriter::SetReadingMode(bool on) {
    settings_.ReadingMode = on;
}

bool SettingsWriter::SetSound(int target, const std::string& file) {
    std::string* field = SoundField(settings_, target);
    if (field == nullptr) {
        return false;
    }
    *field = file;
    return true;
}

}  // namespace rilto
