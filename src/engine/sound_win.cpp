#include "engine/sound_win.h"

#include <mmsystem.h>

#include <utility>

#include "common/system_function_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kCallbackWindowClass[] = L"RiltoSoundCallbacks";
constexpr UINT kMsgRunCallbacks = WM_APP + 1;

using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, UINT);

// Loaded with the first sound: the multimedia library and its sound drivers are not
// needed before a warning sounds, and many users have the warnings off.
PlaySoundFn PlaySoundFunction() {
    static const auto play =
        FunctionFrom<PlaySoundFn>(LoadSystemLibrary(L"winmm.dll"), "sndPlaySoundW");
    return play;
}

}  // namespace

void WinSoundDevice::PlayFile(const std::string& path, bool wait) {
    // The name stays in UTF-16, so a file name outside the 8-bit code page plays too.
    const std::wstring name = Widen(path);
    if (const PlaySoundFn play = PlaySoundFunction()) {
        play(name.c_str(), wait ? SND_SYNC : SND_ASYNC);
    }
}

void WinSoundDevice::Beep() {
    MessageBeep(MB_OK);
}

void WinSoundDevice::Silence() {
    if (const PlaySoundFn play = PlaySoundFunction()) {
        play(nullptr, 0);
    }
}

CallbackWindow::CallbackWindow() {
    if (RegisterWindowClass({kCallbackWindowClass})) {
        CreateWindowOf(kCallbackWindowClass, 0, 0, RECT{}, HWND_MESSAGE, 0);
    }
}

void CallbackWindow::Post(std::function<void()> call) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(std::move(call));
    }
    PostMessageW(hwnd(), kMsgRunCallbacks, 0, 0);
}

LRESULT CallbackWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kMsgRunCallbacks) {
        return Default(msg, wp, lp);
    }
    std::vector<std::function<void()>> due;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        due.swap(calls_);
    }
    for (const auto& call : due) {
        call();
    }
    return 0;
}

WinSound::WinSound()
    : queue_(device_, [this](std::function<void()> call) { window_.Post(std::move(call)); }) {}

void WinSound::Play(SoundSteps steps, std::function<void()> done) {
    queue_.Play(std::move(steps), std::move(done));
}

}  // namespace rilto
