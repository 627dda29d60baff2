// Raising an event: the listener is called with what the window hands it, and an event
// nobody listens to is no fault.

#include "common/raise.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace rilto {
namespace {

TEST(Raise, CallsTheListenerWithTheArguments) {
    std::vector<std::string> heard;
    const std::function<void(int, const std::string&)> event = [&](int n, const std::string& s) {
        heard.push_back(std::to_string(n) + s);
    };
    Raise(event, 3, "rd");
    Raise(event, 4, std::string("th"));
    EXPECT_EQ(heard, (std::vector<std::string>{"3rd", "4th"}));

    int calls = 0;
    const std::function<void()> bare = [&] { ++calls; };
    Raise(bare);
    EXPECT_EQ(calls, 1);
    // A listener's answer is left unread.
    const std::function<bool()> answering = [&] { return ++calls > 0; };
    Raise(answering);
    EXPECT_EQ(calls, 2);
}

TEST(Raise, AnEventWithoutListenerDoesNothing) {
    const std::function<void()> none;
    Raise(none);
    const std::function<void(int)> alsoNone;
    Raise(alsoNone, 7);
    // A listener that takes its argument by reference sees the caller's object itself.
    int seen = 0;
    const std::function<void(int&)> bump = [&](int& n) { seen = ++n; };
    int value = 1;
    Raise(bump, value);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(seen, 2);
}

}  // namespace
}  // namespace rilto
