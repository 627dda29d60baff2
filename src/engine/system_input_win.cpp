#include "engine/system_input_win.h"

#include <windows.h>

namespace rilto {

// Should Windows not answer, the answer before stands: no new input, and the hooks alone
// decide.
std::uint32_t WinSystemInput::LastInputTick() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    if (GetLastInputInfo(&info)) {
        last_ = info.dwTime;
    }
    return last_;
}

}  // namespace rilto
