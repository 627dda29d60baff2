#include "shell/hook_window_win.h"

#include <windowsx.h>

#include <utility>

#include "common/product.h"
#include "common/raise.h"
#include "engine/frm_rilto_ids.h"
#include "shell/control_channel_win.h"
#include "shell/tray_icon_win.h"

namespace rilto {

namespace {
constexpr UINT kMsgRunPosted = WM_APP + 1;
}  // namespace

bool HookWindow::Create(HWND form, HookWindowEvents events) {
    events_ = std::move(events);
    return RegisterWindowClass({kHookWindowClass}) &&
           CreateWindowOf(kHookWindowClass, 0, WS_CHILD, RECT{}, form, IDC_PICHOOK);
}

void HookWindow::Post(std::function<void()> call) {
    posted_.push_back(std::move(call));
    PostMessageW(hwnd(), kMsgRunPosted, 0, 0);
}

LRESULT HookWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            Raise(events_.keyCommand, static_cast<int>(wp));
            return 0;
        case kTrayCallbackMessage:
            // Either form: the old one has the message in the whole of lParam, the newer
            // the event in its low word and the icon's id in the high word.
            Raise(events_.trayNotify, LOWORD(lp), POINT{GET_X_LPARAM(wp), GET_Y_LPARAM(wp)});
            return 0;
        case WM_COPYDATA:
            return TakeControlRequest(hwnd(), reinterpret_cast<HWND>(wp),
                                      reinterpret_cast<const COPYDATASTRUCT*>(lp),
                                      events_.controlRequest);
        case WM_COMMAND:
            Raise(events_.menuCommand, LOWORD(wp));
            return 0;
        case kMsgRunPosted:
            while (!posted_.empty()) {
                const std::function<void()> call = std::move(posted_.front());
                posted_.pop_front();
                call();
            }
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

}  // namespace rilto
