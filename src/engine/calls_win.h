#pragma once
// Windows' record of who uses the microphone and the camera, read for holding breaks.

#include <vector>

#include "engine/calls.h"

namespace rilto {

// Where Windows keeps, per user, a key for each device (the devices' keys are below it).
inline constexpr wchar_t kConsentStore[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore";

// The uses of the microphone and the camera going on now, from the current user's record:
// a program's key whose LastUsedTimeStop is 0. Nothing where the keys are missing (Windows
// before 10 version 1903).
std::vector<DeviceUse> DevicesInUseNow();

}  // namespace rilto
