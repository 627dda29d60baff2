#include "common/minute.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

TEST(Minute, WholeMillisecondsWithinTheBoundsShortenIt) {
    EXPECT_EQ(MinuteFromText("1000"), 1000u);
    EXPECT_EQ(MinuteFromText("60000"), 60000u);
    EXPECT_EQ(MinuteFromText("2500"), 2500u);
    EXPECT_EQ(MinuteFromText(" 3000\n"), 3000u);
    EXPECT_EQ(MinuteFromText("0000002000"), 2000u);
}

TEST(Minute, AnythingElseIsARealMinute) {
    EXPECT_EQ(MinuteFromText(nullptr), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText(""), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("   "), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("fast"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("999"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("0"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("60001"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("-2000"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("+2000"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("2000ms"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("2000 3000"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("2.5"), kRealMinuteMs);
    EXPECT_EQ(MinuteFromText("99999999999999999999999999"), kRealMinuteMs);
    // 2^64 + 2000: too long, whatever is left of it in 64 bits.
    EXPECT_EQ(MinuteFromText("18446744073709553616"), kRealMinuteMs);
}

}  // namespace
}  // namespace rilto
