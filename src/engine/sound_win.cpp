#include "engine/sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/system_function_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, UINT);

// Loaded with the first sound: the multimedia library and its sound drivers are not
// needed before a warning sounds, and many users have the warnings off.
PlaySoundFn PlaySoundFunction() {
    static const auto play =
        FunctionFrom<PlaySoundFn>(LoadSystemLibrary(L"winmm.dll"), "sndPlaySoundW");
    return play;
}

}  // namespace

void WinSound::PlayFile(const std::string& path, bool wait) {
    // The name stays in UTF-16, so a file name outside the 8-bit code page plays too.
    const std::wstring name = Widen(path);
    if (const PlaySoundFn play = PlaySoundFunction()) {
        play(name.c_str(), wait ? SND_SYNC : SND_ASYNC);
    }
}

void WinSound::Beep() {
    MessageBeep(MB_OK);
}

void WinSound::Pause(std::uint32_t ms) {
    Sleep(ms);
}

}  // namespace rilto
