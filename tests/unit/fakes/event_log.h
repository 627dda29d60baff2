#pragma once
// What the fakes saw, in order, each with the virtual time it happened at. Tests read
// it to check the order of effects across ports (a sound before the screen shows).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace rilto::fakes {

struct Event {
    std::uint64_t at;  // virtual milliseconds since the test began
    std::string what;
};

class EventLog {
  public:
    void Add(std::uint64_t at, std::string what) { events_.push_back({at, std::move(what)}); }
    void Clear() { events_.clear(); }
    const std::vector<Event>& Events() const { return events_; }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Event& e : events_) {
            out.push_back(e.what);
        }
        return out;
    }
    std::size_t Count(const std::string& what) const {
        return static_cast<std::size_t>(std::count_if(
            events_.begin(), events_.end(), [&](const Event& e) { return e.what == what; }));
    }
    std::vector<std::uint64_t> TimesOf(const std::string& what) const {
        std::vector<std::uint64_t> out;
        for (const Event& e : events_) {
            if (e.what == what) {
                out.push_back(e.at);
            }
        }
        return out;
    }
    // Position of the first event `what`, or -1.
    int IndexOf(const std::string& what) const {
        for (std::size_t i = 0; i < events_.size(); ++i) {
            if (events_[i].what == what) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Position of the last event `what`, or -1.
    int LastIndexOf(const std::string& what) const {
        for (std::size_t i = events_.size(); i-- > 0;) {
            if (events_[i].what == what) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

  private:
    std::vector<Event> events_;
};

}  // namespace rilto::fakes
