// What riltoctl and the running copy read from each other: any bytes are either refused
// or taken exactly as the sender writes them. A request taken is one of the commands, in
// the one spelling riltoctl sends; an answer taken holds nothing but printable text and
// line ends.

#include <cstring>
#include <memory>
#include <string>

#include "common/control_command.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's length, so that reading past it is caught.
    const auto bytes = std::make_unique<char[]>(size);
    std::memcpy(bytes.get(), data, size);
    const std::string_view text(bytes.get(), size);

    if (const std::optional<rilto::ControlCommand> command = rilto::ParseRequest(text)) {
        rilto::fuzz::Require(rilto::RequestText(*command) == text,
                             "a request taken is the command as riltoctl writes it");
        rilto::fuzz::Require(command->verb != rilto::ControlVerb::Help, "help is never taken");
        rilto::fuzz::Require(command->verb != rilto::ControlVerb::PauseFor ||
                                 (command->minutes >= 1 && command->minutes <= 1440),
                             "a pause taken lasts 1 to 1440 minutes");
    }
    if (const std::optional<std::string> answer = rilto::ParseAnswer(text)) {
        rilto::fuzz::Require(*answer == text, "an answer taken is the answer sent");
        for (const char c : *answer) {
            rilto::fuzz::Require(c == '\n' || (c >= ' ' && c <= '~'),
                                 "an answer taken holds no control character");
        }
    }
    return 0;
}
