#pragma once
// A global hot key as the store and the settings dialog write it: modifiers and a key
// joined by "+", "Ctrl+Alt+M". Read in any case, with blanks around the parts; written
// with the modifiers in the order Ctrl, Alt, Shift, Win and the key as its name is
// spelt here. The numbers are Windows' own (the modifier flags of RegisterHotKey and the
// virtual-key codes), given here so that the portable code needs no Windows header.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rilto {

// What a global hot key does, each stored under "Hotkeys" by its name.
enum class HotKeyCommand { MicropauseNow, ExerciseNow, Pause, Skip, Statistics };
inline constexpr std::size_t kHotKeyCommands = 5;

// Modifier flags, as RegisterHotKey takes them.
inline constexpr std::uint32_t kHotKeyAlt = 0x0001;
inline constexpr std::uint32_t kHotKeyCtrl = 0x0002;
inline constexpr std::uint32_t kHotKeyShift = 0x0004;
inline constexpr std::uint32_t kHotKeyWin = 0x0008;

// Virtual-key codes of the keys a hot key may use.
inline constexpr std::uint32_t kVkPause = 0x13;
inline constexpr std::uint32_t kVkSpace = 0x20;
inline constexpr std::uint32_t kVkPageUp = 0x21;
inline constexpr std::uint32_t kVkPageDown = 0x22;
inline constexpr std::uint32_t kVkEnd = 0x23;
inline constexpr std::uint32_t kVkHome = 0x24;
inline constexpr std::uint32_t kVkInsert = 0x2D;
inline constexpr std::uint32_t kVkDelete = 0x2E;
inline constexpr std::uint32_t kVk0 = 0x30;   // to 0x39 for "9"
inline constexpr std::uint32_t kVkA = 0x41;   // to 0x5A for "Z"
inline constexpr std::uint32_t kVkF1 = 0x70;  // to 0x87 for "F24"
inline constexpr int kFunctionKeys = 24;

struct HotKey {
    std::uint32_t modifiers = 0;  // kHotKey... flags, at least one
    std::uint32_t vk = 0;
    bool operator==(const HotKey&) const = default;
};

// Why a text is no hot key.
enum class HotKeyProblem {
    None,
    Malformed,        // an empty part: "Ctrl++M", "Ctrl+", "+M"
    UnknownModifier,  // a part before the key that is no modifier, or one given twice
    NoModifier,       // a key alone
    UnknownKey,       // the last part names no key a hot key may use
};

struct HotKeyReading {
    std::optional<HotKey> key;  // none for an empty text, or one that cannot be read
    HotKeyProblem problem = HotKeyProblem::None;
};

// The hot key a text names. An empty (or blank) text names none, without a problem.
HotKeyReading ReadHotKey(std::string_view text);
// "Ctrl+Alt+M".
std::string HotKeyText(const HotKey& key);
// The key's own name: "M", "F12", "PageDown"; empty for a code that has none here.
std::string KeyName(std::uint32_t vk);
// What is wrong, for the user: "no modifier (Ctrl, Alt, Shift or Win)", ...
const char* HotKeyProblemText(HotKeyProblem problem);

}  // namespace rilto
