#pragma once
// Small text helpers shared by the portable code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rilto {

std::string AsciiLower(std::string_view s);

// Reads decimal integer text: optional blanks around it, an optional sign, digits.
// Anything else is no number. Values beyond 64 bits saturate.
std::optional<std::int64_t> ParseDecimal(std::string_view text);

// "hh:nn": two-digit 24-hour hour, colon, two-digit minutes.
std::string FormatHourMinute(int hour, int minute);

// Appends value in decimal, with zeros before its digits up to width characters in all,
// a minus sign counted among them: what printf's "%0<width>d" writes.
void AppendZeroPadded(std::string& text, int value, int width);
// Appends "YYYY-MM-DD".
void AppendDate(std::string& text, int year, int month, int day);

}  // namespace rilto
