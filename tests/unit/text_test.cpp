#include "common/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

namespace rilto {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(ParseDecimal, DigitsWithAnOptionalSignAndBlanksAround) {
    EXPECT_EQ(ParseDecimal("0"), 0);
    EXPECT_EQ(ParseDecimal("7"), 7);
    EXPECT_EQ(ParseDecimal("1234567890"), 1234567890);
    EXPECT_EQ(ParseDecimal("+42"), 42);
    EXPECT_EQ(ParseDecimal("-42"), -42);
    EXPECT_EQ(ParseDecimal("-0"), 0);
    EXPECT_EQ(ParseDecimal(" \t 15\t "), 15);
    EXPECT_EQ(ParseDecimal("\t-9 "), -9);
    EXPECT_EQ(ParseDecimal("0009"), 9);
}

TEST(ParseDecimal, AnythingElseIsNoNumber) {
    EXPECT_EQ(ParseDecimal(""), std::nullopt);
    EXPECT_EQ(ParseDecimal(" "), std::nullopt);
    EXPECT_EQ(ParseDecimal(" \t  "), std::nullopt);
    EXPECT_EQ(ParseDecimal("+"), std::nullopt);
    EXPECT_EQ(ParseDecimal(" - "), std::nullopt);
    EXPECT_EQ(ParseDecimal("--1"), std::nullopt);
    EXPECT_EQ(ParseDecimal("+-1"), std::nullopt);
    EXPECT_EQ(ParseDecimal("1 2"), std::nullopt);
    EXPECT_EQ(ParseDecimal("- 1"), std::nullopt);
    EXPECT_EQ(ParseDecimal("12a"), std::nullopt);
    EXPECT_EQ(ParseDecimal("1.5"), std::nullopt);
    EXPECT_EQ(ParseDecimal("0x10"), std::nullopt);
    // The characters either side of the digits in ASCII.
    EXPECT_EQ(ParseDecimal("/"), std::nullopt);
    EXPECT_EQ(ParseDecimal(":"), std::nullopt);
    EXPECT_EQ(ParseDecimal("1/"), std::nullopt);
    EXPECT_EQ(ParseDecimal("9:"), std::nullopt);
    // Only spaces and tabs are blanks.
    EXPECT_EQ(ParseDecimal("\n5"), std::nullopt);
    EXPECT_EQ(ParseDecimal("5\r"), std::nullopt);
}

TEST(ParseDecimal, ValuesBeyondSixtyFourBitsSaturate) {
    EXPECT_EQ(ParseDecimal("9223372036854775806"), kMax - 1);
    EXPECT_EQ(ParseDecimal("9223372036854775807"), kMax);
    EXPECT_EQ(ParseDecimal("9223372036854775808"), kMax);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), kMax);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999"), -kMax);
    // Saturated, it stays there whatever digits follow.
    EXPECT_EQ(ParseDecimal("92233720368547758070"), kMax);
    EXPECT_EQ(ParseDecimal("92233720368547758000"), kMax);
}

TEST(AsciiLower, LowersOnlyTheAsciiCapitals) {
    EXPECT_EQ(AsciiLower("AZaz@[`{09 Hand"), "azaz@[`{09 hand");
    EXPECT_EQ(AsciiLower("MEDIUM Break"), "medium break");
    EXPECT_EQ(AsciiLower("\xC4\xD6"), "\xC4\xD6");
    EXPECT_EQ(AsciiLower(""), "");
}

TEST(ZeroPadded, PadsToTheWidthWithTheSignCountedAmongIt) {
    const auto padded = [](int value, int width) {
        std::string text = "<";
        AppendZeroPadded(text, value, width);
        return text;
    };
    EXPECT_EQ(padded(7, 2), "<07");
    EXPECT_EQ(padded(0, 2), "<00");
    EXPECT_EQ(padded(42, 2), "<42");
    EXPECT_EQ(padded(123, 2), "<123");
    EXPECT_EQ(padded(5, 4), "<0005");
    EXPECT_EQ(padded(5, 1), "<5");
    EXPECT_EQ(padded(5, 0), "<5");
    EXPECT_EQ(padded(-5, 3), "<-05");
    EXPECT_EQ(padded(-5, 2), "<-5");
    EXPECT_EQ(padded(-5, 1), "<-5");
    EXPECT_EQ(padded(-123, 5), "<-0123");
    EXPECT_EQ(padded(std::numeric_limits<int>::min(), 1), "<-2147483648");
    EXPECT_EQ(padded(std::numeric_limits<int>::max(), 12), "<002147483647");
}

TEST(ZeroPadded, HourMinuteAndDate) {
    EXPECT_EQ(FormatHourMinute(0, 0), "00:00");
    EXPECT_EQ(FormatHourMinute(9, 5), "09:05");
    EXPECT_EQ(FormatHourMinute(23, 59), "23:59");
    EXPECT_EQ(FormatHourMinute(123, 160), "23:60");

    std::string date = "on ";
    AppendDate(date, 2026, 3, 7);
    EXPECT_EQ(date, "on 2026-03-07");
    date.clear();
    AppendDate(date, 987, 12, 31);
    EXPECT_EQ(date, "0987-12-31");
}

}  // namespace
}  // namespace rilto
