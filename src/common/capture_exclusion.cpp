#include "common/capture_exclusion.h"

#include <tuple>

namespace rilto {

std::optional<std::uint32_t> CaptureAffinity(bool hideFromCapture, const WindowsVersion& windows) {
    const WindowsVersion first{10, 0, kFirstBuildExcludingCapture};
    const bool known = std::tie(windows.major, windows.minor, windows.build) >=
                       std::tie(first.major, first.minor, first.build);
    if (!hideFromCapture || !known) {
        return std::nullopt;
    }
    return kExcludeFromCapture;
}

}  // namespace rilto
