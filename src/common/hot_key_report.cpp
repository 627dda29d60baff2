#include "common/hot_key_report.h"

#include "common/texts.h"

namespace rilto {

HotKeyState HotKeyStateAsTyped(const std::string& typed, const HotKeyState& registered) {
    const HotKeyReading reading = ReadHotKey(typed);
    if (!reading.key) {
        if (reading.problem == HotKeyProblem::None) {
            return {};
        }
        return {HotKeyOutcome::Unreadable, typed, reading.problem};
    }
    if (registered.outcome != HotKeyOutcome::Unreadable &&
        HotKeyText(*reading.key) == registered.text) {
        return registered;
    }
    return {};
}

std::string HotKeyBoxReport(const HotKeyState& state) {
    switch (state.outcome) {
        case HotKeyOutcome::Unreadable:
            return kHotKeyUnreadableBox;
        case HotKeyOutcome::Refused:
            return kHotKeyRefusedBox;
        case HotKeyOutcome::Repeated:
            return kHotKeyRepeatedBox;
        case HotKeyOutcome::None:
        case HotKeyOutcome::Registered:
            break;
    }
    return {};
}

std::string HotKeyStatusLines(const HotKeyStates& states) {
    std::string lines;
    for (const HotKeyState& state : states) {
        std::string line;
        switch (state.outcome) {
            case HotKeyOutcome::Unreadable:
                line = std::string(kHotKeyBefore) + "\"" + state.text + "\"" + kHotKeyUnreadable +
                       HotKeyProblemText(state.problem);
                break;
            case HotKeyOutcome::Refused:
                line = kHotKeyBefore + state.text + kHotKeyRefused;
                break;
            case HotKeyOutcome::Repeated:
                line = kHotKeyBefore + state.text + kHotKeyRepeated;
                break;
            case HotKeyOutcome::None:
            case HotKeyOutcome::Registered:
                continue;
        }
        if (!lines.empty()) {
            lines += '\n';
        }
        lines += line;
    }
    return lines;
}

}  // namespace rilto
