#include "shell/shutdown.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace rilto {
namespace {

// Records the steps; the ones named in `failing` throw after being recorded.
class RecordingActions : public ShutdownActions {
  public:
    std::vector<std::string> steps;
    std::vector<std::string> failing;

    void SaveStatistics() override { Step("stats"); }
    void SwitchOffRecording(int kind) override { Step("off" + std::to_string(kind)); }
    void DeleteTrayIcon() override { Step("icon"); }
    void ClearPublishedHandle() override { Step("tray0"); }
    void CloseVideoDevice() override { Step("video"); }
    void UnloadPlayer() override { Step("player"); }
    void UnloadSettingsDialog() override { Step("settings"); }
    void EndProcess() override { Step("end"); }

  private:
    void Step(const std::string& s) {
        steps.push_back(s);
        for (const auto& f : failing) {
            if (f == s) {
                throw std::runtime_error(s);
            }
        }
    }
};

using Steps = std::vector<std::string>;

TEST(Shutdown, TheMenuShutdownUnloadsInOrderAndEnds) {
    RecordingActions a;
    ShutdownRilto(a);
    EXPECT_EQ(a.steps, (Steps{"video", "stats", "off0", "off1", "icon", "tray0", "video", "player",
                              "settings", "end"}));
}

TEST(Shutdown, EveryStepRunsEvenWhenEarlierOnesFail) {
    RecordingActions a;
    a.failing = {"video", "off0", "icon", "player"};
    ShutdownRilto(a);
    EXPECT_EQ(a.steps, (Steps{"video", "stats", "off0", "off1", "icon", "tray0", "video", "player",
                              "settings", "end"}));
}

TEST(Shutdown, TheKeyCommandEndsAtOnceAndKeepsTheHandle) {
    RecordingActions a;
    a.failing = {"off0", "off1", "icon", "video"};
    ShutdownNow(a);
    EXPECT_EQ(a.steps, (Steps{"stats", "off0", "off1", "icon", "video", "end"}));
}

TEST(Shutdown, UnloadingTheMainFormClearsTheHandleAfterTheIcon) {
    RecordingActions a;
    a.failing = {"off1"};
    UnloadMainForm(a);
    EXPECT_EQ(a.steps, (Steps{"stats", "off0", "off1", "icon", "tray0", "video"}));
}

}  // namespace
}  // namespace rilto
