#pragma once
// The running copy's side of riltoctl: a request read and carried out on the core. The
// pause and its end take effect before the answer goes back, so that riltoctl's next
// command already sees them; a break or the statistics window come just after it, as
// they show windows and may play a sound for seconds, and the sender need not wait for
// that.

#include <functional>
#include <string>
#include <string_view>

namespace rilto {

class RiltoCore;

struct ControlDeskPorts {
    RiltoCore& core;
    // The tray menu's "&Exercise Now..." and "S&tatistics...".
    std::function<void()> exerciseNow;
    std::function<void()> statistics;
};

struct ControlReply {
    // The request was one of riltoctl's commands and is carried out.
    bool done = false;
    // What riltoctl prints; empty but for "status".
    std::string answer;
    // What is done once the answer is back with riltoctl; nothing when empty.
    std::function<void()> afterReply;
};

// A request as it came: one that is not exactly a command sent by riltoctl changes
// nothing and is refused.
ControlReply CarryOut(std::string_view request, const ControlDeskPorts& ports);

}  // namespace rilto
