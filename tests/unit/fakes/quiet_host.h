#pragma once
// Start-up's windows for the core's tests: the core asks for them in its order, and only
// the tray icon is counted.

#include <cstdint>
#include <string>

#include "shell/startup.h"

namespace rilto::fakes {

class QuietHost : public StartupHost {
  public:
    void ShowVersion(const std::string&) override {}
    std::uint32_t HookWindowHandle() override { return 1; }
    void FirstTimeInitialise() override {}
    void LayOutMicropauseScreen() override {}
    void ShowWarning(const std::string&) override {}
    void AddTrayIcon() override { ++trayIcons; }
    void HideMainForm() override {}
    std::string ProgramFolder() override { return "C:\\Rilto"; }
    int trayIcons = 0;
};

}  // namespace rilto::fakes
