#pragma once
// What became of each global hot key the options name, and how the program says so: a line
// on the status window for each key not in use, and a word beside its box on the settings
// page "Keys".

#include <array>
#include <string>

#include "common/hot_key_text.h"

namespace rilto {

enum class HotKeyOutcome {
    None,        // no key given
    Registered,  // in use
    Unreadable,  // the text names no hot key
    Refused,     // Windows refused it: another program has it
    Repeated,    // an earlier command has the same key
};

struct HotKeyState {
    HotKeyOutcome outcome = HotKeyOutcome::None;
    // The key as the program writes it; for unreadable text, the text as it stands.
    std::string text;
    HotKeyProblem problem = HotKeyProblem::None;  // unreadable text: why
    bool operator==(const HotKeyState&) const = default;
};
using HotKeyStates = std::array<HotKeyState, kHotKeyCommands>;

// What a box holding `typed` says while the user types: text that cannot be read at once;
// the key as `registered` has it while the box names that key; nothing for a key not yet
// applied.
HotKeyState HotKeyStateAsTyped(const std::string& typed, const HotKeyState& registered);
// Beside the key's box: empty while it is in use or none is given.
std::string HotKeyBoxReport(const HotKeyState& state);
// The status window's lines, one for each key not in use, joined by newlines; empty when
// every key given is in use.
std::string HotKeyStatusLines(const HotKeyStates& states);

}  // namespace rilto
