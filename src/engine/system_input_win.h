#pragma once
// The session's latest input through GetLastInputInfo, and its lock through the terminal
// services' session information.

#include "engine/system_input.h"

namespace rilto {

class WinSystemInput : public SystemInput {
  public:
    std::uint32_t LastInputTick() override;
    std::optional<bool> SessionLocked() override;

  private:
    std::uint32_t last_ = 0;
};

}  // namespace rilto
