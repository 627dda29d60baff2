#pragma once
// riltoctl's requests as the hook window receives them: WM_COPYDATA with the request's
// tag, checked before anything is read, carried out, and answered to riltoctl's own
// window (see common/control_command.h).

#include <windows.h>

#include <functional>
#include <string_view>

#include "shell/control_desk.h"

namespace rilto {

// The hook window's result for WM_COPYDATA: 0 for data that is not a request of
// riltoctl, kRequestRefused for a request that is none of its commands, kRequestDone
// once the answer is sent. The sender is released before the work that comes after the
// answer.
LRESULT TakeControlRequest(HWND self, HWND replyTo, const COPYDATASTRUCT* data,
                           const std::function<ControlReply(std::string_view)>& carryOut);

}  // namespace rilto
