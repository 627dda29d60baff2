// riltoctl: commands to a running Rilto Micropause from a console or a script, and its
// state read back. It reads the handle of the program's hook window from the registry,
// sends it the command over a channel of its own (WM_COPYDATA, see
// common/control_command.h) and prints what comes back.
// Exit codes: 0 done; 1 no running copy (or none that answers); 2 a command or argument
// it does not know, or one the running copy does not take.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/control_command.h"
#include "common/hook_window_address_win.h"
#include "common/texts.h"
#include "trigger/console_output_win.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNotRunning = 1;
constexpr int kExitUnknown = 2;

// The running copy carries most commands out before it returns; a wave file it plays
// for a micropause comes after. A copy that takes longer than this does not answer.
constexpr UINT kRequestWaitMs = 20000;

// What the window below was told; only the running copy's hook window is listened to.
struct AnswerBox {
    HWND from = nullptr;
    std::optional<std::string> answer;
};
AnswerBox g_answerBox;

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_COPYDATA) {
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    if (reinterpret_cast<HWND>(wp) != g_answerBox.from || data == nullptr ||
        data->dwData != rilto::kControlAnswerTag || data->cbData > rilto::kMaxAnswerBytes ||
        (data->cbData != 0 && data->lpData == nullptr) || g_answerBox.answer) {
        return FALSE;
    }
    g_answerBox.answer =
        rilto::ParseAnswer(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
    return g_answerBox.answer ? TRUE : FALSE;
}

// A message-only window of the answer's class: no one sees it, and nothing broadcast
// reaches it.
HWND MakeAnswerWindow() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = AnswerProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = rilto::kControlReplyClass;
    if (RegisterClassW(&cls) == 0) {
        return nullptr;
    }
    return CreateWindowExW(0, rilto::kControlReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           cls.hInstance, nullptr);
}

std::string Utf8(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    text.pop_back();  // the terminator
    return text;
}

int Fail(const char* message, int code) {
    rilto::WriteText(STD_ERROR_HANDLE, message);
    return code;
}

int Send(const rilto::ControlCommand& command) {
    const HWND running = rilto::RunningCopyWindow(rilto::PublishedTrayValue());
    if (running == nullptr) {
        return Fail(rilto::kControlNotRunning, kExitNotRunning);
    }
    const rilto::UniqueWindow answerWindow(MakeAnswerWindow());
    if (!answerWindow) {
        return Fail(rilto::kControlNoAnswer, kExitNotRunning);
    }
    g_answerBox.from = running;
    // A break screen that a command brings may take the foreground, as riltoctl's console
    // has it.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    const std::string request = rilto::RequestText(command);
    COPYDATASTRUCT data{};
    data.dwData = rilto::kControlRequestTag;
    data.cbData = static_cast<DWORD>(request.size());
    data.lpData = const_cast<char*>(request.data());
    DWORD_PTR result = 0;
    // Not SMTO_BLOCK: the answer comes to this thread as a message sent while it waits.
    if (SendMessageTimeoutW(running, WM_COPYDATA, reinterpret_cast<WPARAM>(answerWindow.get()),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kRequestWaitMs,
                            &result) == 0) {
        return Fail(rilto::kControlNoAnswer, kExitNotRunning);
    }
    if (static_cast<LRESULT>(result) != rilto::kRequestDone) {
        return Fail(rilto::kControlRefused, kExitUnknown);
    }
    if (command.verb == rilto::ControlVerb::Status) {
        if (!g_answerBox.answer) {
            return Fail(rilto::kControlNoAnswer, kExitNotRunning);
        }
        rilto::WriteText(STD_OUTPUT_HANDLE, *g_answerBox.answer);
    }
    return kExitDone;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        words.push_back(Utf8(argv[i]));
    }
    const std::optional<rilto::ControlCommand> command = rilto::ParseControlArguments(words);
    if (!command) {
        rilto::WriteText(STD_ERROR_HANDLE, rilto::kControlUnknown);
        return Fail(rilto::kControlUsage, kExitUnknown);
    }
    if (command->verb == rilto::ControlVerb::Help) {
        rilto::WriteText(STD_OUTPUT_HANDLE, rilto::kControlUsage);
        return kExitDone;
    }
    return Send(*command);
}
