// The number boxes of the settings dialog: which typed keys and which pastes get in.

#include <gtest/gtest.h>

#include "settings/number_filter.h"

namespace rilto {
namespace {

constexpr int kEnter = 13;
constexpr int kCtrlC = 3;
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;

// The key as the box's filter sees it, with the boxes' range.
bool LetThrough(int key, std::string_view text, bool selected = false) {
    const int result = CheckNumText(key, text, selected, kNumberBoxMin, kNumberBoxMax);
    EXPECT_TRUE(result == 0 || result == key) << "key " << key << " came back as " << result;
    return result != 0;
}

TEST(NumberBoxKeys, BackspaceAlwaysGetsThroughAndEveryOtherNonDigitIsSwallowed) {
    EXPECT_TRUE(LetThrough(kBackspace, "999"));
    EXPECT_TRUE(LetThrough(kBackspace, ""));
    for (int key : {kEnter, kCtrlC, kCtrlV, kCtrlX, int{'a'}, int{'-'}, int{' '}, int{'.'}}) {
        EXPECT_FALSE(LetThrough(key, "")) << key;
        EXPECT_FALSE(LetThrough(key, "12", true)) << key;
    }
}

TEST(NumberBoxKeys, ADigitMayNotTakeTheNumberOutOfRange) {
    EXPECT_TRUE(LetThrough('9', "99"));    // 999, the maximum
    EXPECT_FALSE(LetThrough('0', "100"));  // 1000
    EXPECT_FALSE(LetThrough('0', "0"));    // 0, below the minimum
    EXPECT_TRUE(LetThrough('7', "0"));     // "07" is 7
    EXPECT_TRUE(LetThrough('1', "5"));
    EXPECT_TRUE(LetThrough('5', "-0"));  // "-0" reads as 0, and 5 is in range
    EXPECT_FALSE(LetThrough('5', "-1"));
    // Other ranges are honoured as given.
    EXPECT_EQ(CheckNumText('5', "1", false, 20, 30), 0);
    EXPECT_EQ(CheckNumText('5', "2", false, 20, 30), '5');
}

TEST(NumberBoxKeys, AnEmptyBoxOrASelectionTakesAnyDigit) {
    EXPECT_TRUE(LetThrough('0', ""));
    EXPECT_TRUE(LetThrough('0', "999", true));
    EXPECT_TRUE(LetThrough('5', "100", true));
}

TEST(NumberBoxKeys, TextThatIsNoWholeNumberSwallowsTheDigit) {
    EXPECT_FALSE(LetThrough('1', "abc"));
    EXPECT_FALSE(LetThrough('1', "1.5"));
    EXPECT_FALSE(LetThrough('1', "4294967296"));
    // Beyond 32 bits only once the digit is added: still no number.
    EXPECT_EQ(CheckNumText('0', "2147483647", false, 0, INT32_MAX), 0);
    EXPECT_EQ(CheckNumText('7', "214748364", false, 0, INT32_MAX), '7');
}

TEST(NumberBoxPaste, OnlyDigitsGetIn) {
    EXPECT_TRUE(PasteAllowed("1500"));
    EXPECT_TRUE(PasteAllowed("0"));
    EXPECT_FALSE(PasteAllowed(""));
    EXPECT_FALSE(PasteAllowed("15 "));
    EXPECT_FALSE(PasteAllowed("-3"));
    EXPECT_FALSE(PasteAllowed("12a"));
}

}  // namespace
}  // namespace rilto
