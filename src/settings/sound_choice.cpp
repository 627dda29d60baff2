#include "settings/sound_choice.h"

#include <utility>

namespace rilto {

std::string filenameOnly(std::string_view s) {
    const std::size_t slash = s.rfind('\\');
    return std::string(slash == std::string_view::npos ? s : s.substr(slash + 1));
}

SoundChoice::SoundChoice(std::string current)
    : file_(std::move(current)), fileChosen_(!file_.empty()) {}

void SoundChoice::Browsed(std::string path) {
    if (path.empty()) {
        return;
    }
    file_ = std::move(path);
    fileChosen_ = true;
}

std::string SoundChoice::FileCaption() const {
    if (file_.empty()) {
        return "Sound card audio file";
    }
    return "Sound card (" + filenameOnly(file_) + ")";
}

}  // namespace rilto
