#pragma once
// The sound player behind the warning sounds: a worker thread of its own plays the
// queued patterns step by step, one pattern after another, while the user-interface
// thread goes on. Pauses wait on the queue, so ending the player cuts them short.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "engine/sound.h"

namespace rilto {

// What actually makes a sound; called on the player's thread only, but for Silence.
class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    virtual void Beep() = 0;
    // `wait`: returns when the file has ended.
    virtual void PlayFile(const std::string& path, bool wait) = 0;
    // Cuts short a file playing now; called from another thread while the player ends.
    virtual void Silence() = 0;
};

class SoundQueue : public Sound {
  public:
    // `post` hands a callback over to the user-interface thread, to run there later.
    using Post = std::function<void(std::function<void()>)>;
    SoundQueue(SoundDevice& device, Post post);
    // Ends the pattern playing now and drops those still queued, without their `done`.
    ~SoundQueue() override;
    SoundQueue(const SoundQueue&) = delete;
    SoundQueue& operator=(const SoundQueue&) = delete;

    void Play(SoundSteps steps, std::function<void()> done) override;

  private:
    struct Pattern {
        SoundSteps steps;
        std::function<void()> done;
    };
    void Run();
    // False when the player ends during the pause.
    bool PauseFor(std::uint32_t ms);

    SoundDevice& device_;
    Post post_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Pattern> patterns_;
    bool ending_ = false;
    // Started with the first pattern: many users have every warning off.
    std::thread worker_;
};

}  // namespace rilto
