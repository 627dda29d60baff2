#pragma once
// The warning sounds on Windows: wave files through sndPlaySound and the default beep,
// played by a sound queue on a thread of its own. A pattern's `done` comes back to the
// user-interface thread through a message-only window of this object.

#include <windows.h>

#include <functional>
#include <mutex>
#include <vector>

#include "common/window_win.h"
#include "engine/sound_queue.h"

namespace rilto {

class WinSoundDevice : public SoundDevice {
  public:
    // A missing or unreadable file plays the system's default sound instead.
    void PlayFile(const std::string& path, bool wait) override;
    void Beep() override;
    void Silence() override;
};

// Runs callbacks handed over from any thread on the thread that made the window.
class CallbackWindow : public Window {
  public:
    CallbackWindow();
    ~CallbackWindow() override { Destroy(); }
    CallbackWindow(const CallbackWindow&) = delete;
    CallbackWindow& operator=(const CallbackWindow&) = delete;

    void Post(std::function<void()> call);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    std::mutex mutex_;
    std::vector<std::function<void()>> calls_;
};

class WinSound : public Sound {
  public:
    WinSound();
    void Play(SoundSteps steps, std::function<void()> done) override;

  private:
    WinSoundDevice device_;
    CallbackWindow window_;
    // Last: ended (its thread joined) before the window and the device go.
    SoundQueue queue_;
};

}  // namespace rilto
