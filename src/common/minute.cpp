#include "common/minute.h"

#include <cctype>

namespace rilto {

namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::uint32_t MinuteFromText(const char* text) {
    if (text == nullptr) {
        return kRealMinuteMs;
    }
    const char* p = text;
    while (IsBlank(*p)) {
        ++p;
    }
    std::uint64_t value = 0;
    const char* digits = p;
    // Once past a real minute, more digits cannot bring it back into range.
    constexpr std::uint64_t kTooLong = kRealMinuteMs + 1;
    while (std::isdigit(static_cast<unsigned char>(*p)) != 0) {
        value = value * 10 + static_cast<std::uint64_t>(*p - '0');
        if (value > kTooLong) {
            value = kTooLong;
        }
        ++p;
    }
    if (p == digits) {
        return kRealMinuteMs;
    }
    while (IsBlank(*p)) {
        ++p;
    }
    if (*p != '\0' || value < kShortestMinuteMs || value > kRealMinuteMs) {
        return kRealMinuteMs;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace rilto
