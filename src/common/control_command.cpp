#include "common/control_command.h"

#include "common/text.h"

namespace rilto {

namespace {

struct VerbName {
    const char* name;
    ControlVerb verb;
};

// The commands of one word.
constexpr VerbName kSingleWords[] = {
    {"resume", ControlVerb::Resume},     {"micropause", ControlVerb::Micropause},
    {"exercise", ControlVerb::Exercise}, {"statistics", ControlVerb::Statistics},
    {"status", ControlVerb::Status},     {"help", ControlVerb::Help},
};
constexpr char kPause[] = "pause";
constexpr char kTomorrow[] = "tomorrow";

// Whole decimal digits from 1 to 1440; leading zeros are digits too.
std::optional<std::int32_t> PauseMinutes(std::string_view word) {
    if (word.empty()) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > kLongestControlPause) {
            return std::nullopt;
        }
    }
    if (value < 1) {
        return std::nullopt;
    }
    return value;
}

bool IsRequestCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

}  // namespace

std::optional<ControlCommand> ParseControlArguments(const std::vector<std::string>& words) {
    if (words.empty()) {
        return std::nullopt;
    }
    const std::string first = AsciiLower(words[0]);
    if (first == kPause) {
        if (words.size() != 2) {
            return std::nullopt;
        }
        if (AsciiLower(words[1]) == kTomorrow) {
            return ControlCommand{ControlVerb::PauseUntilTomorrow, 0};
        }
        const std::optional<std::int32_t> minutes = PauseMinutes(words[1]);
        if (!minutes) {
            return std::nullopt;
        }
        return ControlCommand{ControlVerb::PauseFor, *minutes};
    }
    if (words.size() != 1) {
        return std::nullopt;
    }
    for (const VerbName& entry : kSingleWords) {
        if (first == entry.name) {
            return ControlCommand{entry.verb, 0};
        }
    }
    return std::nullopt;
}

std::string RequestText(const ControlCommand& command) {
    switch (command.verb) {
        case ControlVerb::PauseFor:
            return std::string(kPause) + " " + std::to_string(command.minutes);
        case ControlVerb::PauseUntilTomorrow:
            return std::string(kPause) + " " + kTomorrow;
        default:
            break;
    }
    for (const VerbName& entry : kSingleWords) {
        if (entry.verb == command.verb) {
            return entry.name;
        }
    }
    return {};
}

std::optional<ControlCommand> ParseRequest(std::string_view data) {
    if (data.empty() || data.size() > kMaxRequestBytes) {
        return std::nullopt;
    }
    for (const char c : data) {
        if (!IsRequestCharacter(c)) {
            return std::nullopt;
        }
    }
    std::vector<std::string> words;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = data.find(' ', start);
        const std::string_view word = data.substr(start, blank - start);
        if (word.empty()) {
            return std::nullopt;  // a blank at either end, or two together
        }
        words.emplace_back(word);
        if (blank == std::string_view::npos) {
            break;
        }
        start = blank + 1;
    }
    const std::optional<ControlCommand> command = ParseControlArguments(words);
    // Sent exactly as RequestText writes it: no other spelling of the same command.
    if (!command || command->verb == ControlVerb::Help || RequestText(*command) != data) {
        return std::nullopt;
    }
    return command;
}

std::optional<std::string> ParseAnswer(std::string_view data) {
    if (data.size() > kMaxAnswerBytes) {
        return std::nullopt;
    }
    for (const char c : data) {
        if (c != '\n' && (c < ' ' || c > '~')) {
            return std::nullopt;
        }
    }
    return std::string(data);
}

}  // namespace rilto
