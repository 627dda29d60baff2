#include "engine/sound_queue.h"

#include <chrono>
#include <utility>

namespace rilto {

SoundQueue::SoundQueue(SoundDevice& device, Post post) : device_(device), post_(std::move(post)) {}

SoundQueue::~SoundQueue() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
        patterns_.clear();
    }
    changed_.notify_all();
    if (worker_.joinable()) {
        device_.Silence();
        worker_.join();
    }
}

void SoundQueue::Play(SoundSteps steps, std::function<void()> done) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        patterns_.push_back({std::move(steps), std::move(done)});
        if (!worker_.joinable()) {
            worker_ = std::thread([this] { Run(); });
        }
    }
    changed_.notify_all();
}

void SoundQueue::Run() {
    for (;;) {
        Pattern pattern;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return ending_ || !patterns_.empty(); });
            if (ending_) {
                return;
            }
            pattern = std::move(patterns_.front());
            patterns_.pop_front();
        }
        for (const SoundStep& step : pattern.steps) {
            switch (step.kind) {
                case SoundStep::Kind::beep:
                    device_.Beep();
                    break;
                case SoundStep::Kind::file:
                    device_.PlayFile(step.path, step.wait);
                    break;
                case SoundStep::Kind::pause:
                    if (!PauseFor(step.ms)) {
                        return;
                    }
                    break;
            }
        }
        // Handed over under the lock, so none is posted once the player has begun to end.
        const std::lock_guard<std::mutex> lock(mutex_);
        if (ending_) {
            return;
        }
        if (pattern.done) {
            post_(std::move(pattern.done));
        }
    }
}

bool SoundQueue::PauseFor(std::uint32_t ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return ending_; });
}

}  // namespace rilto
