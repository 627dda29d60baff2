// riltoctl's arguments read into commands, and the request and answer as the other side
// reads them.

#include <gtest/gtest.h>

#include "common/control_command.h"

namespace rilto {
namespace {

std::optional<ControlCommand> Parse(std::vector<std::string> words) {
    return ParseControlArguments(words);
}

TEST(ControlArguments, EachCommandInAnyCase) {
    EXPECT_EQ(Parse({"resume"}), (ControlCommand{ControlVerb::Resume, 0}));
    EXPECT_EQ(Parse({"MICROPAUSE"}), (ControlCommand{ControlVerb::Micropause, 0}));
    EXPECT_EQ(Parse({"Exercise"}), (ControlCommand{ControlVerb::Exercise, 0}));
    EXPECT_EQ(Parse({"sTaTiStIcS"}), (ControlCommand{ControlVerb::Statistics, 0}));
    EXPECT_EQ(Parse({"Status"}), (ControlCommand{ControlVerb::Status, 0}));
    EXPECT_EQ(Parse({"HELP"}), (ControlCommand{ControlVerb::Help, 0}));
    EXPECT_EQ(Parse({"Pause", "TOMORROW"}), (ControlCommand{ControlVerb::PauseUntilTomorrow, 0}));
    EXPECT_EQ(Parse({"PAUSE", "30"}), (ControlCommand{ControlVerb::PauseFor, 30}));
}

TEST(ControlArguments, PauseTakesOneTo1440Minutes) {
    EXPECT_EQ(Parse({"pause", "1"}), (ControlCommand{ControlVerb::PauseFor, 1}));
    EXPECT_EQ(Parse({"pause", "1440"}), (ControlCommand{ControlVerb::PauseFor, 1440}));
    EXPECT_EQ(Parse({"pause", "0090"}), (ControlCommand{ControlVerb::PauseFor, 90}));
    for (const char* bad : {"0", "1441", "00000", "99999999999999999999", "-5", "+5", " 5", "5 ",
                            "5m", "1e3", "", "tomorow", "0x10"}) {
        EXPECT_FALSE(Parse({"pause", bad})) << bad;
    }
}

TEST(ControlArguments, NoWordsUnknownWordsAndWrongArgumentCountsAreRefused) {
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({"pause"}));
    EXPECT_FALSE(Parse({"pause", "30", "more"}));
    EXPECT_FALSE(Parse({"resume", "now"}));
    EXPECT_FALSE(Parse({"status", ""}));
    EXPECT_FALSE(Parse({"shutdown"}));
    EXPECT_FALSE(Parse({"stat"}));
    EXPECT_FALSE(Parse({"statuses"}));
    EXPECT_FALSE(Parse({" status"}));
    EXPECT_FALSE(Parse({"--help"}));
    EXPECT_FALSE(Parse({"st\xC3\xA4tus"}));
    EXPECT_FALSE(Parse({std::string("status\0x", 8)}));
}

TEST(ControlRequest, EveryCommandButHelpTravelsAndReadsBackTheSame) {
    const std::vector<ControlCommand> sent = {
        {ControlVerb::PauseFor, 1},           {ControlVerb::PauseFor, 1440},
        {ControlVerb::PauseUntilTomorrow, 0}, {ControlVerb::Resume, 0},
        {ControlVerb::Micropause, 0},         {ControlVerb::Exercise, 0},
        {ControlVerb::Statistics, 0},         {ControlVerb::Status, 0}};
    for (const ControlCommand& command : sent) {
        const std::string text = RequestText(command);
        EXPECT_LE(text.size(), kMaxRequestBytes) << text;
        EXPECT_EQ(ParseRequest(text), command) << text;
    }
    EXPECT_EQ(RequestText({ControlVerb::PauseFor, 30}), "pause 30");
    EXPECT_EQ(RequestText({ControlVerb::PauseUntilTomorrow, 0}), "pause tomorrow");
    EXPECT_FALSE(ParseRequest(RequestText({ControlVerb::Help, 0})));
}

TEST(ControlRequest, AnythingButTheExactFormIsRefused) {
    for (const std::string& bad : std::vector<std::string>{
             "", "Status", "STATUS", " status", "status ", "pause  30", "pause 030", "pause 0",
             "pause 1441", "pause", "help", "resume\n", "shutdown", "status\r",
             std::string("status\0", 7), std::string(kMaxRequestBytes + 1, 'a'), "pause 30\xff"}) {
        EXPECT_FALSE(ParseRequest(bad)) << testing::PrintToString(bad);
    }
}

TEST(ControlAnswer, PrintableLinesUpToTheLimitPassAndNothingElse) {
    EXPECT_EQ(ParseAnswer("not paused\nmicropauses today: 1 taken, 0 skipped, 0 natural\n"),
              "not paused\nmicropauses today: 1 taken, 0 skipped, 0 natural\n");
    EXPECT_EQ(ParseAnswer(""), "");
    EXPECT_EQ(ParseAnswer(std::string(kMaxAnswerBytes, 'x')), std::string(kMaxAnswerBytes, 'x'));
    EXPECT_FALSE(ParseAnswer(std::string(kMaxAnswerBytes + 1, 'x')));
    for (const std::string& bad : std::vector<std::string>{
             std::string("a\x1b[2Jb"), std::string("a\rb"), std::string("a\0b", 3),
             std::string("\x7f"), std::string("\xc3\xa4"), std::string("tab\there")}) {
        EXPECT_FALSE(ParseAnswer(bad)) << testing::PrintToString(bad);
    }
}

}  // namespace
}  // namespace rilto
