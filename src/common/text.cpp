#include "common/text.h"

#include <limits>

namespace rilto {

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::optional<std::int64_t> ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && IsBlank(text[i])) {
        ++i;
    }
    while (end > i && IsBlank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end) {
        return std::nullopt;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string FormatHourMinute(int hour, int minute) {
    std::string text;
    AppendZeroPadded(text, hour % 100, 2);
    text += ':';
    AppendZeroPadded(text, minute % 100, 2);
    return text;
}

// By hand rather than with snprintf: the C runtime's formatter comes with its floating
// point conversions, some 30 KB in every program that calls it, for a few numbers.
void AppendZeroPadded(std::string& text, int value, int width) {
    const long long wide = value;
    const std::string digits = std::to_string(wide < 0 ? -wide : wide);
    int padding = width - static_cast<int>(digits.size());
    if (value < 0) {
        text += '-';
        --padding;
    }
    if (padding > 0) {
        text.append(static_cast<std::size_t>(padding), '0');
    }
    text += digits;
}

void AppendDate(std::string& text, int year, int month, int day) {
    AppendZeroPadded(text, year, 4);
    text += '-';
    AppendZeroPadded(text, month, 2);
    text += '-';
    AppendZeroPadded(text, day, 2);
}

}  // namespace rilto
