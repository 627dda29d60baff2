#pragma once
// The number boxes of the settings dialog take digits only, and never more than their
// maximum by appending: CheckNumText decides for each typed character, and a paste is
// judged by the same rule.

#include <cstdint>
#include <string_view>

namespace rilto {

inline constexpr int kBackspace = 8;
inline constexpr std::int32_t kNumberBoxMin = 1;
inline constexpr std::int32_t kNumberBoxMax = 999;

// The key to let through: `keyAscii` itself, or 0 to swallow it. `text` is what the box
// holds; `hasSelection` whether part of it is selected (a digit then replaces it).
int CheckNumText(int keyAscii, std::string_view text, bool hasSelection, std::int32_t min,
                 std::int32_t max);

// A paste into a number box: refused unless every character is a digit.
bool PasteAllowed(std::string_view pasted);

}  // namespace rilto
