#pragma once
// riltoctl's commands: its arguments read into a command, and the request that carries a
// command to the running copy and the answer that comes back. Both programs read what
// the other sends with the parsers here, and trust nothing of it: a request or an answer
// that is not exactly one of these forms is refused whole.
//
// The channel: riltoctl sends WM_COPYDATA to the hook window whose handle "tray" holds,
// with kControlRequestTag in dwData, the request text in the data, and the handle of a
// message-only window of its own (class kControlReplyClass) in wParam. The running copy
// carries the command out and, for "status", sends the answer text back to that window
// with WM_COPYDATA and kControlAnswerTag before it returns. Its result is kRequestDone or
// kRequestRefused; a window that does not know the channel returns 0.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rilto {

enum class ControlVerb {
    PauseFor,
    PauseUntilTomorrow,
    Resume,
    Micropause,
    Exercise,
    Statistics,
    Status,
    Help
};

struct ControlCommand {
    ControlVerb verb = ControlVerb::Help;
    // For PauseFor: 1 to 1440.
    std::int32_t minutes = 0;

    bool operator==(const ControlCommand&) const = default;
};

inline constexpr std::int32_t kLongestControlPause = 1440;

// The words after the program's name, one argument each, names in any case: "pause 30",
// "PAUSE Tomorrow", "status". Nothing for no words, an unknown word, a missing or extra
// argument, or minutes that are not whole decimal digits from 1 to 1440.
std::optional<ControlCommand> ParseControlArguments(const std::vector<std::string>& words);

// The request as sent: the command's words in lower case, one blank between them. "help"
// is riltoctl's own and is never sent.
std::string RequestText(const ControlCommand& command);

// A request as received: at most kMaxRequestBytes of lower-case letters and digits, words
// separated by single blanks, naming a command that is sent. Nothing otherwise.
std::optional<ControlCommand> ParseRequest(std::string_view data);

// An answer as received: at most kMaxAnswerBytes of printable ASCII, lines ended by "\n".
// Nothing otherwise, so that no control character of another program reaches the console.
std::optional<std::string> ParseAnswer(std::string_view data);

inline constexpr std::size_t kMaxRequestBytes = 64;
inline constexpr std::size_t kMaxAnswerBytes = 4096;

// dwData of the two WM_COPYDATA messages: "RCRQ" and "RCAN".
inline constexpr std::uintptr_t kControlRequestTag = 0x52435251;
inline constexpr std::uintptr_t kControlAnswerTag = 0x5243414E;
// What the running copy's hook window returns for a request.
inline constexpr std::intptr_t kRequestDone = 0x5243;
inline constexpr std::intptr_t kRequestRefused = 0x5244;
// The window class of riltoctl's window for the answer; the running copy answers no other.
inline constexpr wchar_t kControlReplyClass[] = L"RiltoMicropauseControl";

}  // namespace rilto
