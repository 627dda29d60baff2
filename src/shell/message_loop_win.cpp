#include "shell/message_loop_win.h"

#include "common/dialog_win.h"

namespace rilto {

int MessageLoop::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        Dispatch(msg);
    }
    return 0;
}

void MessageLoop::WaitWhile(const std::function<bool()>& busy) {
    const BusyCursor hourglass;
    MSG msg;
    while (busy()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Dispatch(msg);
    }
}

bool MessageLoop::Route(MSG* msg) const {
    if (msg->hwnd == nullptr) {
        return false;
    }
    const HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    for (const Taker& taker : takers_) {
        if (taker.window() == root) {
            return taker.translate(msg);
        }
    }
    return false;
}

void MessageLoop::Dispatch(MSG& msg) const {
    if (Route(&msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace rilto
