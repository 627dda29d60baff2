#pragma once

#include "shell/first_run.h"

namespace rilto {

class WinFirstRunHost : public FirstRunHost {
  public:
    std::optional<std::string> ReadEnvironment(const std::string& name) override;
    bool IsOrdinaryFile(const std::string& path) override;
    void RemoveFile(const std::string& path) override;
    bool ShellAndWait(const std::string& commandLine) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    std::string ProgramFolder() override;
};

}  // namespace rilto
