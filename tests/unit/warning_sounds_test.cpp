#include "engine/warning_sounds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/event_log.h"
#include "fakes/fake_sound.h"
#include "fakes/virtual_clock.h"

namespace rilto {
namespace {

using Calls = std::vector<std::string>;

struct WarningSoundsTest : ::testing::Test {
    Settings settings;
    fakes::EventLog log;
    fakes::VirtualClock clock;
    fakes::FakeSound sound{log, clock};
    WarningSounds sounds{sound, settings, "C:\\Rilto"};

    Calls Played() const { return log.Texts(); }
};

// n times the pair (beep, pause ms).
Calls Beeps(int n, int pauseMs) {
    Calls out;
    for (int i = 0; i < n; ++i) {
        out.push_back("beep");
        out.push_back("pause " + std::to_string(pauseMs));
    }
    return out;
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls out;
    for (const Calls& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST_F(WarningSoundsTest, EmptyNamesPlayTheBeepPatterns) {
    sounds.AudibleWarningPre();
    EXPECT_EQ(Played(), Beeps(4, 250));

    log.Clear();
    sounds.AudibleWarning();
    EXPECT_EQ(Played(), Join({Beeps(1, 166), Beeps(3, 999), {"pause 999"}}));

    log.Clear();
    sounds.AudibleWarningX();
    EXPECT_EQ(Played(), Join({Beeps(3, 166), Beeps(4, 999), {"pause 999"}}));
}

TEST_F(WarningSoundsTest, SetNamesPlayOnlyTheFileWaitingOrNot) {
    settings.WarningSoundPre = "pre.wav";
    settings.WarningSound = "D:\\sounds\\start.wav";
    settings.WarningSoundX = "x.wav";
    sounds.AudibleWarningPre();
    sounds.AudibleWarning();
    sounds.AudibleWarningX();
    EXPECT_EQ(Played(), (Calls{"play C:\\Rilto\\pre.wav wait", "play D:\\sounds\\start.wav wait",
                               "play C:\\Rilto\\x.wav nowait"}));
}

TEST_F(WarningSoundsTest, EachSignalReadsItsOwnSetting) {
    settings.WarningSound = "start.wav";
    sounds.AudibleWarningPre();
    EXPECT_EQ(Played(), Beeps(4, 250));
    log.Clear();
    sounds.AudibleWarningX();
    EXPECT_EQ(log.Count("beep"), 7u);
}

TEST_F(WarningSoundsTest, ANameOfBlanksCountsAsSet) {
    settings.WarningSound = "  ";
    sounds.AudibleWarning();
    EXPECT_EQ(Played(), Calls{"play C:\\Rilto\\   wait"});
}

TEST_F(WarningSoundsTest, NotificationIsOneBeepWhateverIsSet) {
    sounds.AudibleNotification();
    EXPECT_EQ(Played(), Calls{"beep"});

    log.Clear();
    settings.WarningSoundPre = settings.WarningSound = settings.WarningSoundX = "x.wav";
    sounds.AudibleNotification();
    EXPECT_EQ(Played(), Calls{"beep"});
}

TEST_F(WarningSoundsTest, PlayersResolveOnlyBareNames) {
    sounds.PlaySoundWait("ding.wav");
    sounds.PlaySoundNoWait("media\\ding.wav");
    sounds.PlaySoundNoWait("\\\\server\\share\\ding.wav");
    EXPECT_EQ(Played(), (Calls{"play C:\\Rilto\\ding.wav wait", "play media\\ding.wav nowait",
                               "play \\\\server\\share\\ding.wav nowait"}));
}

// Each signal is one pattern for the player, so one queued while another plays comes
// after it whole; only the micropause's start tells when it has ended.
TEST_F(WarningSoundsTest, EachSignalIsOnePatternAndOnlyTheStartSaysWhenItEnds) {
    sound.HoldPatterns();
    int ended = 0;
    sounds.AudibleWarningPre();
    sounds.AudibleWarningX();
    sounds.AudibleNotification();
    sounds.AudibleWarning([&] { ++ended; });
    EXPECT_EQ(sound.Patterns(), 4);
    EXPECT_EQ(log.Count("beep"), 4u + 7u + 1u + 4u);
    EXPECT_EQ(ended, 0) << "not before the pattern has played";
    sound.FinishPatterns();
    EXPECT_EQ(ended, 1);

    settings.WarningSound = "start.wav";
    sound.HoldPatterns();
    sounds.AudibleWarning([&] { ++ended; });
    EXPECT_EQ(ended, 1);
    sound.FinishPatterns();
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(sound.Patterns(), 5);
}

TEST(ResolveSoundFile, AddsTheFolderWithOneSeparator) {
    EXPECT_EQ(ResolveSoundFile("a.wav", "C:\\Program Files\\Rilto"),
              "C:\\Program Files\\Rilto\\a.wav");
    // At a drive's root the folder already ends in a separator.
    EXPECT_EQ(ResolveSoundFile("a.wav", "C:\\"), "C:\\a.wav");
    // A forward slash is no folder separator for this rule.
    EXPECT_EQ(ResolveSoundFile("x/a.wav", "C:\\R"), "C:\\R\\x/a.wav");
    EXPECT_EQ(ResolveSoundFile(".\\a.wav", "C:\\R"), ".\\a.wav");
}

}  // namespace
}  // namespace rilto
