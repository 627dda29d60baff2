// The settings dialog's number boxes: whatever the box holds and whatever is typed or
// pasted, a key goes through only as itself, and a digit appended to the number the box
// holds goes through only when the number stays within the box's range.

#include <cstring>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "settings/number_filter.h"

namespace {

using rilto::fuzz::Require;

template <typename T>
T Take(std::string_view& input) {
    T value{};
    const std::size_t n = std::min(sizeof value, input.size());
    std::memcpy(&value, input.data(), n);
    input.remove_prefix(n);
    return value;
}

bool AllDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The number a digit string with `digit` appended makes, saturated past 32 bits.
std::int64_t Appended(std::string_view digits, int digit) {
    constexpr std::int64_t kBeyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (const char c : digits) {
        value = std::min(value * 10 + (c - '0'), kBeyond);
    }
    return value >= kBeyond ? kBeyond : std::min(value * 10 + digit, kBeyond);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = rilto::fuzz::AsText(data, size);
    const int key = Take<std::uint8_t>(input);
    const bool selection = (Take<std::uint8_t>(input) & 1) != 0;
    const std::int32_t min = Take<std::int32_t>(input);
    const std::int32_t max = Take<std::int32_t>(input);
    const std::string_view text = input;

    const int passed = rilto::CheckNumText(key, text, selection, min, max);
    Require(passed == 0 || passed == key, "a key goes through as itself or not at all");
    const bool digit = key >= '0' && key <= '9';
    if (key == rilto::kBackspace) {
        Require(passed == key, "backspace always goes through");
    } else if (!digit) {
        Require(passed == 0, "only digits are typed into a number box");
    } else if (text.empty() || selection) {
        Require(passed == key, "a digit starting or replacing the text goes through");
    } else if (AllDigits(text)) {
        const std::int64_t next = Appended(text, key - '0');
        Require((passed == key) == (next >= min && next <= max),
                "an appended digit goes through exactly when the number stays in range");
    }
    Require(rilto::PasteAllowed(text) == (!text.empty() && AllDigits(text)),
            "only digits are pasted");
    return 0;
}
