#include "common/hot_key_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/hot_key_report.h"

namespace rilto {
namespace {

HotKey Key(std::uint32_t modifiers, std::uint32_t vk) {
    return HotKey{modifiers, vk};
}

TEST(HotKeyText, EveryKeyNameIsReadAndWrittenBack) {
    // Each key with Ctrl+Alt, as written: the code it names, and the same text back.
    struct Case {
        std::string name;
        std::uint32_t vk;
    };
    std::vector<Case> cases;
    for (char c = 'A'; c <= 'Z'; ++c) {
        cases.push_back({std::string(1, c), 0x41u + static_cast<std::uint32_t>(c - 'A')});
    }
    for (char c = '0'; c <= '9'; ++c) {
        cases.push_back({std::string(1, c), 0x30u + static_cast<std::uint32_t>(c - '0')});
    }
    for (int f = 1; f <= 24; ++f) {
        cases.push_back({"F" + std::to_string(f), 0x6Fu + static_cast<std::uint32_t>(f)});
    }
    cases.insert(cases.end(), {{"Space", 0x20},
                               {"Home", 0x24},
                               {"End", 0x23},
                               {"Insert", 0x2D},
                               {"Delete", 0x2E},
                               {"PageUp", 0x21},
                               {"PageDown", 0x22},
                               {"Pause", 0x13}});
    ASSERT_EQ(cases.size(), 26u + 10u + 24u + 8u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HotKeyReading reading = ReadHotKey("Ctrl+Alt+" + c.name);
        ASSERT_TRUE(reading.key.has_value());
        EXPECT_EQ(reading.problem, HotKeyProblem::None);
        EXPECT_EQ(*reading.key, Key(kHotKeyCtrl | kHotKeyAlt, c.vk));
        EXPECT_EQ(KeyName(c.vk), c.name);
        EXPECT_EQ(HotKeyText(*reading.key), "Ctrl+Alt+" + c.name);
    }
}

TEST(HotKeyText, ReadInAnyCaseAndOrderWrittenInOneOrder) {
    EXPECT_EQ(ReadHotKey("ctrl+alt+m").key, Key(kHotKeyCtrl | kHotKeyAlt, 0x4D));
    EXPECT_EQ(ReadHotKey("CTRL+SHIFT+pagedown").key, Key(kHotKeyCtrl | kHotKeyShift, 0x22));
    EXPECT_EQ(ReadHotKey("wIn+f12").key, Key(kHotKeyWin, 0x7B));
    // Blanks around the parts and the whole.
    EXPECT_EQ(ReadHotKey("  Ctrl + Alt +  Space ").key, Key(kHotKeyCtrl | kHotKeyAlt, 0x20));
    EXPECT_EQ(ReadHotKey("\tAlt+\t9").key, Key(kHotKeyAlt, 0x39));
    // Written Ctrl, Alt, Shift, Win, whatever order they came in.
    EXPECT_EQ(HotKeyText(*ReadHotKey("win+shift+alt+ctrl+home").key), "Ctrl+Alt+Shift+Win+Home");
    EXPECT_EQ(HotKeyText(*ReadHotKey("Shift+Ctrl+Insert").key), "Ctrl+Shift+Insert");
    EXPECT_EQ(HotKeyText(*ReadHotKey("alt+shift+f1").key), "Alt+Shift+F1");
    EXPECT_EQ(HotKeyText(Key(kHotKeyShift | kHotKeyWin, 0x13)), "Shift+Win+Pause");
}

TEST(HotKeyText, EmptyTextIsNoKeyAndNoProblem) {
    for (const char* text : {"", " ", " \t "}) {
        const HotKeyReading reading = ReadHotKey(text);
        EXPECT_FALSE(reading.key.has_value()) << '"' << text << '"';
        EXPECT_EQ(reading.problem, HotKeyProblem::None) << '"' << text << '"';
    }
}

TEST(HotKeyText, TextThatNamesNoHotKeySaysWhy) {
    struct Case {
        const char* text;
        HotKeyProblem problem;
    };
    const Case cases[] = {
        // A key alone, or Shift-less letters: at least one modifier.
        {"M", HotKeyProblem::NoModifier},
        {"F5", HotKeyProblem::NoModifier},
        {" space ", HotKeyProblem::NoModifier},
        // Keys a hot key may not use, or no key at all.
        {"Ctrl+Alt+Esc", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+F0", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+F25", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+F100", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+F01", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+F-1", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+MM", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+!", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt", HotKeyProblem::UnknownKey},
        {"Ctrl", HotKeyProblem::UnknownKey},
        {"Ctrl+Alt+Page Up", HotKeyProblem::UnknownKey},
        {"Foo", HotKeyProblem::UnknownKey},
        // What comes before the key: modifiers only, each once.
        {"Control+M", HotKeyProblem::UnknownModifier},
        {"Ctrl+Ctrl+M", HotKeyProblem::UnknownModifier},
        {"Ctrl+K+M", HotKeyProblem::UnknownModifier},
        {"Ctrl Alt+M", HotKeyProblem::UnknownModifier},
        // An empty part.
        {"Ctrl++M", HotKeyProblem::Malformed},
        {"Ctrl+Alt+", HotKeyProblem::Malformed},
        {"+M", HotKeyProblem::Malformed},
        {"Ctrl+ +M", HotKeyProblem::Malformed},
        {"+", HotKeyProblem::Malformed},
    };
    for (const Case& c : cases) {
        const HotKeyReading reading = ReadHotKey(c.text);
        EXPECT_FALSE(reading.key.has_value()) << c.text;
        EXPECT_EQ(reading.problem, c.problem) << c.text;
        EXPECT_STRNE(HotKeyProblemText(reading.problem), "") << c.text;
    }
    EXPECT_EQ(KeyName(0x1B), "");  // ESC has no name here
}

HotKeyState Registered(const char* text) {
    return {HotKeyOutcome::Registered, text, HotKeyProblem::None};
}

TEST(HotKeyReport, TheStatusWindowHasALineForEachKeyNotInUse) {
    HotKeyStates states;
    EXPECT_EQ(HotKeyStatusLines(states), "");
    states[0] = Registered("Ctrl+Alt+M");
    EXPECT_EQ(HotKeyStatusLines(states), "");
    states[1] = {HotKeyOutcome::Refused, "Ctrl+Alt+X", HotKeyProblem::None};
    EXPECT_EQ(HotKeyStatusLines(states), "Hot key Ctrl+Alt+X is used by another program");
    states[2] = {HotKeyOutcome::Unreadable, "Ctrl+Q+", HotKeyProblem::Malformed};
    states[4] = {HotKeyOutcome::Repeated, "Ctrl+Alt+M", HotKeyProblem::None};
    EXPECT_EQ(HotKeyStatusLines(states),
              "Hot key Ctrl+Alt+X is used by another program\n"
              "Hot key \"Ctrl+Q+\" cannot be read: a part is missing\n"
              "Hot key Ctrl+Alt+M is given to two commands");
}

TEST(HotKeyReport, TheBoxSaysWhatKeepsItsKeyOutOfUseAndTypingIsJudgedAtOnce) {
    const HotKeyState refused{HotKeyOutcome::Refused, "Ctrl+Alt+X", HotKeyProblem::None};
    EXPECT_EQ(HotKeyBoxReport(refused), "Used by another program");
    EXPECT_EQ(HotKeyBoxReport(Registered("Ctrl+Alt+X")), "");
    EXPECT_EQ(HotKeyBoxReport({}), "");
    EXPECT_EQ(HotKeyBoxReport({HotKeyOutcome::Repeated, "Ctrl+Alt+X", HotKeyProblem::None}),
              "Given to another command too");

    // The box as typed: the key it names keeps its report, in any spelling; another key is
    // not judged until Apply registers it; text that cannot be read is said at once.
    EXPECT_EQ(HotKeyStateAsTyped("ctrl + alt + x", refused), refused);
    EXPECT_EQ(HotKeyStateAsTyped("Ctrl+Alt+Y", refused), HotKeyState{});
    EXPECT_EQ(HotKeyStateAsTyped("", refused), HotKeyState{});
    const HotKeyState typed = HotKeyStateAsTyped("Ctrl+Alt+", Registered("Ctrl+Alt+X"));
    EXPECT_EQ(typed.outcome, HotKeyOutcome::Unreadable);
    EXPECT_EQ(HotKeyBoxReport(typed), "Cannot be read");
}

}  // namespace
}  // namespace rilto
