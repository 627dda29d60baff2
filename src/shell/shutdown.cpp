#include "shell/shutdown.h"

#include "common/settings.h"

namespace rilto {

void RunEveryStep(const std::vector<std::function<void()>>& steps) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            // A failed step must not keep the program from ending.
        }
    }
}

void UnloadMainForm(ShutdownActions& a) {
    RunEveryStep({
        [&] { a.SaveStatistics(); },
        [&] { a.SwitchOffRecording(kKeyboard); },
        [&] { a.SwitchOffRecording(kMouse); },
        [&] { a.DeleteTrayIcon(); },
        [&] { a.ClearPublishedHandle(); },
        [&] { a.CloseVideoDevice(); },
    });
}

void ShutdownRilto(ShutdownActions& a) {
    RunEveryStep({
        [&] { a.CloseVideoDevice(); },
        [&] { UnloadMainForm(a); },
        [&] { a.UnloadPlayer(); },
        [&] { a.UnloadSettingsDialog(); },
        [&] { a.EndProcess(); },
    });
}

void ShutdownNow(ShutdownActions& a) {
    RunEveryStep({
        [&] { a.SaveStatistics(); },
        [&] { a.SwitchOffRecording(kKeyboard); },
        [&] { a.SwitchOffRecording(kMouse); },
        [&] { a.DeleteTrayIcon(); },
        [&] { a.CloseVideoDevice(); },
        [&] { a.EndProcess(); },
    });
}

}  // namespace rilto
