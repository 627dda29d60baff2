#include "shell/control_channel_win.h"

#include <string>

#include "common/control_command.h"

namespace rilto {

namespace {

// riltoctl waits for the answer in its send: a short bound suffices.
constexpr UINT kAnswerWaitMs = 5000;

bool IsReplyWindow(HWND hwnd) {
    wchar_t name[64];
    return hwnd != nullptr && IsWindow(hwnd) && GetClassNameW(hwnd, name, 64) > 0 &&
           lstrcmpW(name, kControlReplyClass) == 0;
}

bool SendAnswer(HWND self, HWND replyTo, const std::string& answer) {
    if (!IsReplyWindow(replyTo) || answer.size() > kMaxAnswerBytes) {
        return false;
    }
    COPYDATASTRUCT data{};
    data.dwData = kControlAnswerTag;
    data.cbData = static_cast<DWORD>(answer.size());
    data.lpData = const_cast<char*>(answer.data());
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerWaitMs,
                               &result) != 0 &&
           result != 0;
}

}  // namespace

LRESULT TakeControlRequest(HWND self, HWND replyTo, const COPYDATASTRUCT* data,
                           const std::function<ControlReply(std::string_view)>& carryOut) {
    if (data == nullptr || data->dwData != kControlRequestTag) {
        return 0;
    }
    if (data->cbData == 0 || data->cbData > kMaxRequestBytes || data->lpData == nullptr ||
        !carryOut) {
        return kRequestRefused;
    }
    // The data is the sender's, lent for this call: read once, into a copy.
    const std::string request(static_cast<const char*>(data->lpData), data->cbData);
    ControlReply reply = carryOut(request);
    if (!reply.done) {
        return kRequestRefused;
    }
    if (!reply.answer.empty() && !SendAnswer(self, replyTo, reply.answer)) {
        return kRequestRefused;
    }
    if (reply.afterReply) {
        if (InSendMessage()) {
            ReplyMessage(kRequestDone);
        }
        reply.afterReply();
    }
    return kRequestDone;
}

}  // namespace rilto
