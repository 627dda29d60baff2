// The sound player's own thread: patterns play whole and in order, the caller never
// waits for them, and ending the player in the middle of one is quick.

#include "engine/sound_queue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace rilto {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Records the steps with the thread that played them.
struct RecordingDevice : SoundDevice {
    void Beep() override { Add("beep"); }
    void PlayFile(const std::string& path, bool wait) override {
        Add("play " + path + (wait ? " wait" : " nowait"));
    }
    void Silence() override { Add("silence"); }

    void Add(const std::string& what) {
        const std::lock_guard<std::mutex> lock(mutex);
        played.push_back(what);
        threads.push_back(std::this_thread::get_id());
        changed.notify_all();
    }
    std::vector<std::string> Played() {
        const std::lock_guard<std::mutex> lock(mutex);
        return played;
    }
    bool WaitFor(std::size_t count, milliseconds limit) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, limit, [&] { return played.size() >= count; });
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> played;
    std::vector<std::thread::id> threads;
};

// The user-interface thread's queue of posted calls, run by the test when it likes.
struct PostedCalls {
    void Post(std::function<void()> call) {
        const std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(std::move(call));
        changed.notify_all();
    }
    bool WaitFor(std::size_t count, milliseconds limit) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, limit, [&] { return calls.size() >= count; });
    }
    void RunAll() {
        std::vector<std::function<void()>> due;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            due.swap(calls);
        }
        for (const auto& call : due) {
            call();
        }
    }
    std::size_t Count() {
        const std::lock_guard<std::mutex> lock(mutex);
        return calls.size();
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::function<void()>> calls;
};

constexpr milliseconds kPatience{10'000};

TEST(SoundQueue, PlaysPatternsWholeInOrderOffTheCallersThread) {
    RecordingDevice device;
    PostedCalls posted;
    std::vector<std::string> done;
    {
        SoundQueue queue(device, [&](std::function<void()> call) { posted.Post(std::move(call)); });
        const auto before = Clock::now();
        queue.Play(
            {SoundStep::Beep(), SoundStep::Pause(400), SoundStep::Beep(), SoundStep::Pause(400)},
            [&] { done.push_back("first"); });
        queue.Play({SoundStep::File("C:\\a.wav", true), SoundStep::Beep()},
                   [&] { done.push_back("second"); });
        queue.Play({SoundStep::Beep()}, {});
        // The caller goes on at once, while the pauses are still to come.
        EXPECT_LT(Clock::now() - before, milliseconds(400));
        ASSERT_TRUE(device.WaitFor(5, kPatience));
        const auto played = Clock::now() - before;
        EXPECT_GE(played, milliseconds(800)) << "the pauses are kept";
        EXPECT_EQ(device.Played(), (std::vector<std::string>{"beep", "beep", "play C:\\a.wav wait",
                                                             "beep", "beep"}));
        for (const auto id : device.threads) {
            EXPECT_NE(id, std::this_thread::get_id());
        }
        // `done` comes through the user-interface thread's post, in order.
        ASSERT_TRUE(posted.WaitFor(2, kPatience));
        EXPECT_TRUE(done.empty());
        posted.RunAll();
        EXPECT_EQ(done, (std::vector<std::string>{"first", "second"}));
    }
}

TEST(SoundQueue, EndingInTheMiddleOfAPatternIsQuickAndDropsTheRest) {
    RecordingDevice device;
    PostedCalls posted;
    bool doneRan = false;
    auto queue = std::make_unique<SoundQueue>(
        device, [&](std::function<void()> call) { posted.Post(std::move(call)); });
    queue->Play({SoundStep::Beep(), SoundStep::Pause(60'000), SoundStep::Beep()},
                [&] { doneRan = true; });
    queue->Play({SoundStep::Beep()}, [&] { doneRan = true; });
    ASSERT_TRUE(device.WaitFor(1, kPatience));
    const auto before = Clock::now();
    queue.reset();
    EXPECT_LT(Clock::now() - before, milliseconds(5'000)) << "not the minute's pause";
    // The playing file is cut short; nothing after the pause plays.
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"beep", "silence"}));
    posted.RunAll();
    EXPECT_FALSE(doneRan);
}

TEST(SoundQueue, AnUnusedPlayerHasNoThreadToEnd) {
    RecordingDevice device;
    {
        SoundQueue queue(device, [](std::function<void()>) {});
    }
    EXPECT_TRUE(device.Played().empty()) << "nothing to silence";
}

}  // namespace
}  // namespace rilto
