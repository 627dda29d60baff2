#include "shell/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/memory_settings_store.h"
#include "fakes/scheduler_rig.h"

namespace rilto {
namespace {

using fakes::SchedulerRig;

// Start-up's host and hook, writing every step into one list, with what the store held
// at the steps where that matters.
class Recorder : public StartupHost, public ActivityHook {
  public:
    explicit Recorder(const MemorySettingsStore& store) : store_(store) {}
    std::vector<std::string> steps;

    void ShowVersion(const std::string& label) override { steps.push_back("version " + label); }
    std::uint32_t HookWindowHandle() override { return 4063290; }
    void FirstTimeInitialise() override {
        steps.push_back("first run, tray " + store_.GetSetting("Options", "tray", "none"));
    }
    void LayOutMicropauseScreen() override { steps.push_back("layout"); }
    void ShowWarning(const std::string& text) override { steps.push_back("warning " + text); }
    void AddTrayIcon() override { steps.push_back("tray icon"); }
    void HideMainForm() override { steps.push_back("hide"); }
    std::string ProgramFolder() override {
        steps.push_back("folder, AppPath " + store_.GetSetting("Options", "AppPath", "none"));
        return "C:\\Rilto";
    }

    std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) override {
        steps.push_back("filter " + std::to_string(kind) + " " + std::to_string(flag));
        return -1;
    }
    std::int32_t RilGetTime(std::int32_t) override { return 0; }
    bool Available() const override { return true; }

  private:
    const MemorySettingsStore& store_;
};

TEST(Startup, PublishesTheHookWindowFirstAndTheProgramFolderLast) {
    SchedulerRig rig;
    MemorySettingsStore store;
    store.SaveSetting("Micropause", "Warning", "Rest now");
    store.SaveSetting("Micropause", "Monitor0", "0");
    store.SaveSetting("Micropause", "InterruptEvery", "7");
    store.SaveSetting("Exercise", "Scheme", "Mine");
    store.SaveSetting("SchemeMine", "Num", "1");
    store.SaveSetting("SchemeMine", "1", "neck.avi");
    Recorder recorder(store);
    ExerciseTable exercises;
    SettingsWriter settings(rig.settings, store);
    RunStartup({store, settings, exercises, rig.scheduler, recorder, recorder});

    const std::string version = "version " + std::to_string(RILTO_VERSION_MAJOR) + "." +
                                std::to_string(RILTO_VERSION_MINOR) + "." +
                                std::to_string(RILTO_VERSION_REVISION);
    const std::vector<std::string> expected{version,
                                            "first run, tray 4063290",
                                            "layout",
                                            "warning Rest now",
                                            "filter 1 -1",  // the keyboard is not watched
                                            "tray icon",
                                            "hide",
                                            "folder, AppPath none"};
    EXPECT_EQ(recorder.steps, expected);
    EXPECT_EQ(store.GetSetting("Options", "AppPath", ""), "C:\\Rilto");
    // The settings were loaded, and the timers set from them before the icon came.
    EXPECT_EQ(rig.settings.InterruptEvery, 7);
    EXPECT_EQ(exercises.NumExercises, 1);
    EXPECT_EQ(exercises.At(1).File, "neck.avi");
    EXPECT_EQ(rig.state().MinutesToMicropause, 7);
    EXPECT_TRUE(rig.tMinutes.Enabled());
    EXPECT_FALSE(rig.state().ExerciseReminderPending);
    EXPECT_EQ(rig.state().LastInputTime[kKeyboard], static_cast<std::int32_t>(5'000'000));
}

TEST(Startup, ASecondStartHandsOverOrSaysItIsRunning) {
    MemorySettingsStore store;
    EXPECT_EQ(DecideStart(false, "", store).kind, StartKind::RunHere);
    EXPECT_EQ(DecideStart(false, "ShutDown", store).kind, StartKind::EndAtOnce);
    EXPECT_EQ(DecideStart(false, "shutdown now", store).kind, StartKind::RunHere);

    // No usable handle: "tray" missing, "0", or no number.
    for (const char* tray : {"", "0", "abc"}) {
        if (*tray != '\0') {
            store.SaveSetting("Options", "tray", tray);
        }
        EXPECT_EQ(DecideStart(true, "shutdown", store).kind, StartKind::AlreadyRunning) << tray;
    }
    // The same reading of "tray" as shutdowntrigger's: leading blanks and trailing
    // characters are no obstacle.
    store.SaveSetting("Options", "tray", " 4063290x");
    const StartDecision shutdown = DecideStart(true, "SHUTDOWN", store);
    EXPECT_EQ(shutdown.kind, StartKind::HandOver);
    EXPECT_EQ(shutdown.handle, 4063290u);
    EXPECT_EQ(shutdown.keyCode, kKeyShutdown);
    EXPECT_EQ(DecideStart(true, " shutdown", store).keyCode, kKeyShowMenu);
}

}  // namespace
}  // namespace rilto
