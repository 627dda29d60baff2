#pragma once
// Break screens ask Windows to leave them out of screen capture, so that the people
// watching a shared screen do not see a micropause or an exercise break. Windows 10
// version 2004 (build 19041) is the first to know the request; earlier versions would take
// it for the older one that shows a black box in the capture instead, so they are never
// asked.

#include <cstdint>
#include <optional>

namespace rilto {

// SetWindowDisplayAffinity's WDA_EXCLUDEFROMCAPTURE.
inline constexpr std::uint32_t kExcludeFromCapture = 0x11;
inline constexpr std::uint32_t kFirstBuildExcludingCapture = 19041;

// The window property in which a break screen keeps the affinity it asked for, so that
// another program can see what was asked even where Windows cannot show its answer.
inline constexpr wchar_t kCaptureAffinityProperty[] = L"RiltoCaptureAffinity";

struct WindowsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};

// The affinity a break screen asks for, when "HideFromCapture" is on and Windows knows
// it; nothing to ask otherwise.
std::optional<std::uint32_t> CaptureAffinity(bool hideFromCapture, const WindowsVersion& windows);

}  // namespace rilto
