#include "settings/number_filter.h"

#include <limits>
#include <optional>
#include <string>

#include "common/text.h"

namespace rilto {

namespace {

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

// The box's text as a whole number; none when it is no number or beyond 32 bits.
std::optional<std::int32_t> WholeNumber(std::string_view text) {
    const auto parsed = ParseDecimal(text);
    if (!parsed || *parsed < std::numeric_limits<std::int32_t>::min() ||
        *parsed > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*parsed);
}

}  // namespace

int CheckNumText(int keyAscii, std::string_view text, bool hasSelection, std::int32_t min,
                 std::int32_t max) {
    if (keyAscii == kBackspace) {
        return keyAscii;
    }
    if (!IsDigit(keyAscii)) {
        return 0;
    }
    // A digit that replaces the selection, or starts an empty box, is not range-checked:
    // the user is still typing, and Apply corrects what is left.
    if (text.empty() || hasSelection) {
        return keyAscii;
    }
    const auto current = WholeNumber(text);
    if (!current) {
        return 0;
    }
    // Rewritten as plain decimal first, so "07" with a digit is judged as 7 with it.
    std::string appended = std::to_string(*current);
    appended.push_back(static_cast<char>(keyAscii));
    const auto next = WholeNumber(appended);
    if (!next || *next < min || *next > max) {
        return 0;
    }
    return keyAscii;
}

bool PasteAllowed(std::string_view pasted) {
    if (pasted.empty()) {
        return false;
    }
    for (char c : pasted) {
        if (!IsDigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

}  // namespace rilto
