#include "engine/sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/wide_text_win.h"

namespace rilto {

void WinSound::PlayFile(const std::string& path, bool wait) {
    // The name stays in UTF-16, so a file name outside the 8-bit code page plays too.
    const std::wstring name = Widen(path);
    sndPlaySoundW(name.c_str(), wait ? SND_SYNC : SND_ASYNC);
}

void WinSound::Beep() {
    MessageBeep(MB_OK);
}

void WinSound::Pause(std::uint32_t ms) {
    Sleep(ms);
}

}  // namespace rilto
