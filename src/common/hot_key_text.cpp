#include "common/hot_key_text.h"

#include <array>
#include <vector>

#include "common/text.h"

namespace rilto {

namespace {

struct Named {
    const char* name;
    std::uint32_t code;
};

// In the order they are written.
constexpr std::array<Named, 4> kModifiers{{
    {"Ctrl", kHotKeyCtrl},
    {"Alt", kHotKeyAlt},
    {"Shift", kHotKeyShift},
    {"Win", kHotKeyWin},
}};

constexpr std::array<Named, 8> kNamedKeys{{
    {"Space", kVkSpace},
    {"Home", kVkHome},
    {"End", kVkEnd},
    {"Insert", kVkInsert},
    {"Delete", kVkDelete},
    {"PageUp", kVkPageUp},
    {"PageDown", kVkPageDown},
    {"Pause", kVkPause},
}};

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<std::uint32_t> KeyCode(std::string_view part) {
    const std::string name = AsciiLower(part);
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z') {
            return kVkA + static_cast<std::uint32_t>(c - 'a');
        }
        if (c >= '0' && c <= '9') {
            return kVk0 + static_cast<std::uint32_t>(c - '0');
        }
        return std::nullopt;
    }
    if (name[0] == 'f' && name.size() <= 3 && name[1] >= '1' && name[1] <= '9') {
        const std::optional<std::int64_t> n = ParseDecimal(std::string_view(name).substr(1));
        // Digits only: no sign, no blank ("F+1", "F 1").
        const bool digits = name.size() == 2 || (name[2] >= '0' && name[2] <= '9');
        if (n && digits && *n >= 1 && *n <= kFunctionKeys) {
            return kVkF1 + static_cast<std::uint32_t>(*n - 1);
        }
        return std::nullopt;
    }
    for (const Named& key : kNamedKeys) {
        if (name == AsciiLower(key.name)) {
            return key.code;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ModifierFlag(std::string_view part) {
    const std::string name = AsciiLower(part);
    for (const Named& modifier : kModifiers) {
        if (name == AsciiLower(modifier.name)) {
            return modifier.code;
        }
    }
    return std::nullopt;
}

}  // namespace

HotKeyReading ReadHotKey(std::string_view text) {
    if (Trimmed(text).empty()) {
        return {};
    }
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t plus = text.find('+', start);
        const std::string_view part =
            Trimmed(text.substr(start, plus == std::string_view::npos ? plus : plus - start));
        if (part.empty()) {
            return {std::nullopt, HotKeyProblem::Malformed};
        }
        parts.push_back(part);
        if (plus == std::string_view::npos) {
            break;
        }
        start = plus + 1;
    }
    HotKey key;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::optional<std::uint32_t> flag = ModifierFlag(parts[i]);
        if (!flag || (key.modifiers & *flag) != 0) {
            return {std::nullopt, HotKeyProblem::UnknownModifier};
        }
        key.modifiers |= *flag;
    }
    const std::optional<std::uint32_t> code = KeyCode(parts.back());
    if (!code) {
        return {std::nullopt, HotKeyProblem::UnknownKey};  // "Ctrl+Alt" names no key either
    }
    if (key.modifiers == 0) {
        return {std::nullopt, HotKeyProblem::NoModifier};
    }
    key.vk = *code;
    return {key, HotKeyProblem::None};
}

std::string KeyName(std::uint32_t vk) {
    if (vk >= kVkA && vk < kVkA + 26) {
        return std::string(1, static_cast<char>('A' + (vk - kVkA)));
    }
    if (vk >= kVk0 && vk < kVk0 + 10) {
        return std::string(1, static_cast<char>('0' + (vk - kVk0)));
    }
    if (vk >= kVkF1 && vk < kVkF1 + kFunctionKeys) {
        return "F" + std::to_string(vk - kVkF1 + 1);
    }
    for (const Named& key : kNamedKeys) {
        if (key.code == vk) {
            return key.name;
        }
    }
    return {};
}

std::string HotKeyText(const HotKey& key) {
    std::string text;
    for (const Named& modifier : kModifiers) {
        if ((key.modifiers & modifier.code) != 0) {
            text += modifier.name;
            text += '+';
        }
    }
    return text + KeyName(key.vk);
}

const char* HotKeyProblemText(HotKeyProblem problem) {
    switch (problem) {
        case HotKeyProblem::None:
            return "";
        case HotKeyProblem::Malformed:
            return "a part is missing";
        case HotKeyProblem::UnknownModifier:
            return "only Ctrl, Alt, Shift and Win, each once, may come before the key";
        case HotKeyProblem::NoModifier:
            return "it needs Ctrl, Alt, Shift or Win";
        case HotKeyProblem::UnknownKey:
            return "the key must be A-Z, 0-9, F1-F24, Space, Home, End, Insert, Delete, "
                   "PageUp, PageDown or Pause";
    }
    return "";
}

}  // namespace rilto
