#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

TEST(CommandLine, ArgumentTextFollowsTheProgramName) {
    EXPECT_EQ(ArgumentText("rilto32.exe"), "");
    EXPECT_EQ(ArgumentText("rilto32.exe shutdown"), "shutdown");
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Rilto\\rilto32.exe\"   SHUTDOWN"), "SHUTDOWN");
    EXPECT_EQ(ArgumentText("rilto32 \" shutdown\""), "\" shutdown\"");
    EXPECT_EQ(ArgumentText("rilto32 shutdown now"), "shutdown now");
    EXPECT_EQ(ArgumentText("\"unterminated"), "");
}

TEST(CommandLine, OnlyTheWholeWordShutdownInAnyCaseShutsDown) {
    EXPECT_EQ(SecondStartKeyCode("shutdown"), 99);
    EXPECT_EQ(SecondStartKeyCode("ShutDown"), 99);
    EXPECT_EQ(SecondStartKeyCode("SHUTDOWN"), 99);
    EXPECT_EQ(SecondStartKeyCode(""), 0);
    EXPECT_EQ(SecondStartKeyCode(" shutdown"), 0);
    EXPECT_EQ(SecondStartKeyCode("shutdown now"), 0);
    EXPECT_EQ(SecondStartKeyCode("shutdown "), 0);
    EXPECT_EQ(SecondStartKeyCode("menu"), 0);
}

}  // namespace
}  // namespace rilto
