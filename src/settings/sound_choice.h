#pragma once
// What the "Sound warning" dialog holds while it is open: beeps or a wave file, and
// the file last known, so that switching back and forth keeps it.

#include <string>
#include <string_view>

#include "common/settings_writer.h"

namespace rilto {

// The part after the last "\", or all of `s` when there is none.
std::string filenameOnly(std::string_view s);

class SoundChoice {
  public:
    // An empty value means the standard beeps.
    explicit SoundChoice(std::string current);

    // A file picked in the file dialog becomes the choice; an empty path, the dialog
    // cancelled, changes nothing.
    void Browsed(std::string path);
    void ChooseBeeps() { fileChosen_ = false; }
    // Only with a file known; beeps stay chosen otherwise.
    void ChooseFile() { fileChosen_ = !file_.empty(); }

    bool FileChosen() const { return fileChosen_; }
    // What the setting is to hold: empty for beeps, else the file.
    std::string Result() const { return fileChosen_ ? file_ : std::string(); }
    // The text of the sound card option.
    std::string FileCaption() const;

  private:
    std::string file_;
    bool fileChosen_;
};

}  // namespace rilto
