#include "common/settings_writer.h"

#include <gtest/gtest.h>

#include "common/memory_settings_store.h"

namespace rilto {
namespace {

TEST(SettingsWriter, AChosenSoundIsInUseForItsWarningAlone) {
    const MemorySettingsStore store;
    Settings settings;
    SettingsWriter writer(settings, store);

    EXPECT_TRUE(writer.SetSound(static_cast<int>(SoundTarget::Start), "C:\\start.wav"));
    EXPECT_TRUE(writer.SetSound(static_cast<int>(SoundTarget::Early), "C:\\early.wav"));
    EXPECT_EQ(settings.WarningSound, "C:\\start.wav");
    EXPECT_EQ(settings.WarningSoundPre, "C:\\early.wav");
    EXPECT_EQ(settings.WarningSoundX, "");
    EXPECT_TRUE(writer.SetSound(static_cast<int>(SoundTarget::Exercise), "C:\\x.wav"));
    EXPECT_EQ(settings.WarningSoundX, "C:\\x.wav");
    // Back to the beeps.
    EXPECT_TRUE(writer.SetSound(static_cast<int>(SoundTarget::Start), ""));
    EXPECT_EQ(settings.WarningSound, "");
}

TEST(SettingsWriter, ASoundForNoWarningChangesNothing) {
    const MemorySettingsStore store;
    Settings settings;
    SettingsWriter writer(settings, store);
    for (const int target : {-1, 3, 100}) {
        EXPECT_FALSE(writer.SetSound(target, "C:\\stray.wav")) << target;
    }
    EXPECT_EQ(settings.WarningSound, "");
    EXPECT_EQ(settings.WarningSoundX, "");
    EXPECT_EQ(settings.WarningSoundPre, "");
}

}  // namespace
}  // namespace rilto
