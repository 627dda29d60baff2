#pragma once
// The session's latest input through GetLastInputInfo.

#include "engine/system_input.h"

namespace rilto {

class WinSystemInput : public SystemInput {
  public:
    std::uint32_t LastInputTick() override;

  private:
    std::uint32_t last_ = 0;
};

}  // namespace rilto
