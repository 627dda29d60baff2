#pragma once
// The program's message loop, and the waits that handle messages while they last. Before
// a message is dispatched, the window it belongs to (found by its top-level window) may
// take it: a dialog its Tab, Enter, ESC and access keys, the player its own keys and
// clicks. Only the windows that asked to are asked.

#include <windows.h>

#include <functional>
#include <vector>

namespace rilto {

class MessageLoop {
  public:
    // `window` takes its messages first through `translate`, which says whether the
    // message was its.
    template <class W, class Base>
    void TakeKeys(W& window, bool (Base::*translate)(MSG*)) {
        takers_.push_back(
            Taker{[&window] { return window.hwnd(); },
                  [&window, translate](MSG* msg) { return (window.*translate)(msg); }});
    }

    // Until the program quits; its exit code.
    int Run();
    // The program goes on while `busy` says so, its timers ticking and its windows
    // painting, with the busy pointer. Nothing spins: the thread sleeps until a message
    // comes. A quit ends the wait and is left for Run.
    void WaitWhile(const std::function<bool()>& busy);

  private:
    struct Taker {
        std::function<HWND()> window;
        std::function<bool(MSG*)> translate;
    };
    // Whether a window took the message.
    bool Route(MSG* msg) const;
    void Dispatch(MSG& msg) const;

    std::vector<Taker> takers_;
};

}  // namespace rilto
