#pragma once
// Calls: a program that uses the microphone or the camera holds breaks. Windows records,
// per user, each program's last use of either device; a use with no end yet is going on
// now. Some audio tools hold the microphone all day, so a use that began long ago, or by
// a program the user lists, holds nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings.h"

namespace rilto {

// A use of the microphone or the camera going on now, as Windows records it.
struct DeviceUse {
    // The name of the program's key: a package's name, "Microsoft.SkypeApp_kzf8qxf38zg5c",
    // or a desktop program's path with "#" for "\", "C:#Program Files#Zoom#bin#Zoom.exe".
    std::string key;
    // A packaged app; a desktop program when false.
    bool packaged = true;
    // When the use began, as a FILETIME: 100 ns since 1601-01-01 UTC. 0 when Windows
    // does not say, which counts as a use begun just now.
    std::uint64_t began = 0;
};

// A use older than this is a tool that keeps the device open, not a call.
inline constexpr std::int64_t kLongestCallSeconds = 12 * 60 * 60;

// Seconds since 1970-01-01 UTC of a FILETIME.
std::int64_t UtcOfFileTime(std::uint64_t fileTime);

// The names the user may list a use's program by: a desktop program's file name,
// "Zoom.exe"; a package's whole name and its name before the publisher,
// "Microsoft.SkypeApp".
std::vector<std::string> NamesOfUse(const DeviceUse& use);

// Whether one of the uses is a call that holds breaks now, under "Calls" and
// "IgnoreDevices".
bool CallHolds(const std::vector<DeviceUse>& uses, const Settings& settings, std::int64_t utcNow);

}  // namespace rilto
