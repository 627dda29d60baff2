#pragma once
// The foreground as Windows shows it, and its record of the microphone's and the camera's
// users, for holding breaks. Everything is read from the foreground window, a few
// questions to the system and a few registry keys, never from a list of processes, so
// that a look costs next to nothing.

#include <windows.h>

#include <optional>
#include <vector>

#include "engine/full_screen.h"
#include "engine/hold.h"

namespace rilto {

// What the full-screen decision needs of a window: its client area on the screen, its
// monitor's whole rectangle, its title bar and state. None when Windows does not say.
std::optional<WindowShape> ShapeOf(HWND window);

class WinHoldProbe : public HoldProbe {
  public:
    WinHoldProbe();
    ForegroundView Look() override;
    std::vector<DeviceUse> DevicesInUse() override;

  private:
    bool FocusAssistOn() const;

    // A state of the Windows Notification Facility, as ntdll names it.
    struct WnfStateName {
        ULONG data[2];
    };
    using QueryWnfStateDataFn = LONG(NTAPI*)(const WnfStateName* name, const void* typeId,
                                             const void* scope, ULONG* changeStamp, void* buffer,
                                             ULONG* bufferSize);
    // Null where ntdll has no such function: Wine, Windows before 10.
    QueryWnfStateDataFn queryWnfStateData_;
};

}  // namespace rilto
