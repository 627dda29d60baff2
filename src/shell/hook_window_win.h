#pragma once
// pichook: the hidden child window whose handle the program publishes in "tray". Other
// processes send it key commands and riltoctl's requests, the tray icon reports to it,
// the tray menu's commands come to it, and calls posted to it run from its window
// procedure.

#include <windows.h>

#include <deque>
#include <functional>
#include <string_view>

#include "common/window_win.h"
#include "shell/control_desk.h"

namespace rilto {

struct HookWindowEvents {
    // WM_KEYDOWN sent by another process: the key code.
    std::function<void(int)> keyCommand;
    // The tray icon's callback: the event (a mouse message over the icon, or one of the
    // keyboard) and the icon's anchor point, which only the newer form carries.
    std::function<void(unsigned, POINT)> trayNotify;
    // A command chosen in the tray menu.
    std::function<void(int)> menuCommand;
    // A request of riltoctl, sent as WM_COPYDATA (see control_channel_win.h).
    std::function<ControlReply(std::string_view)> controlRequest;
};

class HookWindow : public Window {
  public:
    HookWindow() = default;
    ~HookWindow() override { Destroy(); }

    bool Create(HWND form, HookWindowEvents events);

    // Runs `call` from this window's procedure as soon as any message loop gets to it:
    // the program's own, or a modal one (a menu, a message box) that would drop a
    // message posted to the thread.
    void Post(std::function<void()> call);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    HookWindowEvents events_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace rilto
