#include "common/tray_handle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace rilto {
namespace {

std::uint32_t Parse(const std::string& s) {
    return ParseTrayHandle(s.data(), s.size());
}

TEST(TrayValue, ReadsLikePercentU) {
    EXPECT_EQ(Parse("65616"), 65616u);
    EXPECT_EQ(Parse("   65616"), 65616u);
    EXPECT_EQ(Parse("\t\n65616"), 65616u);
    EXPECT_EQ(Parse("65616abc"), 65616u);
    EXPECT_EQ(Parse("65616 12"), 65616u);
    EXPECT_EQ(Parse("4294967295"), 4294967295u);
}

TEST(TrayValue, NoLeadingNumberMeansNoWindow) {
    EXPECT_EQ(Parse("0"), 0u);
    EXPECT_EQ(Parse(""), 0u);
    EXPECT_EQ(Parse("abc"), 0u);
    EXPECT_EQ(Parse("abc123"), 0u);
    EXPECT_EQ(Parse("   "), 0u);
    EXPECT_EQ(Parse("4294967296"), 0u);  // beyond 32 bits: no handle at all
    EXPECT_EQ(Parse("99999999999999999999999"), 0u);
}

TEST(TrayValue, StopsAtTheEndOfTheDataOrAtANul) {
    // A full buffer with no terminator: nothing past it is read (ASan checks).
    std::vector<char> full(kTrayBufferSize, '7');
    auto* exact = new char[kTrayBufferSize];
    std::memcpy(exact, full.data(), kTrayBufferSize);
    EXPECT_EQ(ParseTrayHandle(exact, kTrayBufferSize), 0u);  // too many digits
    std::memset(exact, ' ', kTrayBufferSize);
    exact[kTrayBufferSize - 1] = '5';
    EXPECT_EQ(ParseTrayHandle(exact, kTrayBufferSize), 5u);
    delete[] exact;

    const char withNul[] = {'1', '2', '\0', '3'};
    EXPECT_EQ(ParseTrayHandle(withNul, sizeof withNul), 12u);
    EXPECT_EQ(ParseTrayHandle("123", 2), 12u);
}

}  // namespace
}  // namespace rilto
