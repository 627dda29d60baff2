#include "settings/sound_choice.h"

#include <gtest/gtest.h>

#include <string>

namespace rilto {
namespace {

TEST(FilenameOnly, WithoutBackslashIsTheWhole) {
    EXPECT_EQ(filenameOnly("ding.wav"), "ding.wav");
    EXPECT_EQ(filenameOnly(""), "");
}

TEST(FilenameOnly, TrailingBackslashLeavesNothing) {
    EXPECT_EQ(filenameOnly("C:\\Sounds\\"), "");
}

TEST(FilenameOnly, TakesThePartAfterTheLastOfSeveral) {
    EXPECT_EQ(filenameOnly("C:\\Users\\me\\Sounds\\chime up.wav"), "chime up.wav");
    EXPECT_EQ(filenameOnly("\\\\server\\share\\bell.wav"), "bell.wav");
}

TEST(SoundSetting, EachTargetItsOwnValue) {
    Settings settings;
    EXPECT_EQ(SoundSetting(settings, static_cast<int>(SoundTarget::Start)), &settings.WarningSound);
    EXPECT_EQ(SoundSetting(settings, static_cast<int>(SoundTarget::Exercise)),
              &settings.WarningSoundX);
    EXPECT_EQ(SoundSetting(settings, static_cast<int>(SoundTarget::Early)),
              &settings.WarningSoundPre);
    EXPECT_EQ(SoundSetting(settings, 3), nullptr);
    EXPECT_EQ(SoundSetting(settings, -1), nullptr);
}

TEST(SoundChoice, EmptyValueLoadsAsBeeps) {
    const SoundChoice choice("");
    EXPECT_FALSE(choice.FileChosen());
    EXPECT_EQ(choice.FileCaption(), "Sound card audio file");
}

TEST(SoundChoice, UntouchedGivesBackTheLoadedValue) {
    const SoundChoice file("C:\\Sounds\\bell.wav");
    EXPECT_TRUE(file.FileChosen());
    EXPECT_EQ(file.Result(), "C:\\Sounds\\bell.wav");
    EXPECT_EQ(SoundChoice("").Result(), "");
}

TEST(SoundChoice, BrowsedFileIsChosenAndNamedInTheCaption) {
    SoundChoice choice("");
    choice.Browsed("D:\\Media\\gong.wav");
    EXPECT_TRUE(choice.FileChosen());
    EXPECT_EQ(choice.Result(), "D:\\Media\\gong.wav");
    EXPECT_EQ(choice.FileCaption(), "Sound card (gong.wav)");
}

TEST(SoundChoice, BeepsAfterBrowsingGiveEmpty) {
    SoundChoice choice("C:\\old.wav");
    choice.Browsed("D:\\Media\\gong.wav");
    choice.ChooseBeeps();
    EXPECT_EQ(choice.Result(), "");
    // The file stays known for the caption and for choosing it again.
    EXPECT_EQ(choice.FileCaption(), "Sound card (gong.wav)");
    choice.ChooseFile();
    EXPECT_EQ(choice.Result(), "D:\\Media\\gong.wav");
}

TEST(SoundChoice, ValueWithoutBackslashShowsUnchanged) {
    const SoundChoice choice("chime.wav");
    EXPECT_EQ(choice.FileCaption(), "Sound card (chime.wav)");
    EXPECT_EQ(choice.Result(), "chime.wav");
}

TEST(SoundChoice, FileWithoutAFileKnownStaysBeeps) {
    SoundChoice choice("");
    choice.ChooseFile();
    EXPECT_FALSE(choice.FileChosen());
    EXPECT_EQ(choice.Result(), "");
}

TEST(SoundChoice, CancelledFileDialogChangesNothing) {
    SoundChoice beeps("");
    beeps.Browsed("");
    EXPECT_FALSE(beeps.FileChosen());
    EXPECT_EQ(beeps.FileCaption(), "Sound card audio file");

    SoundChoice file("C:\\Sounds\\bell.wav");
    file.ChooseBeeps();
    file.Browsed("");
    EXPECT_FALSE(file.FileChosen());
    EXPECT_EQ(file.Result(), "");
    EXPECT_EQ(file.FileCaption(), "Sound card (bell.wav)");
}

}  // namespace
}  // namespace rilto
