#include "exercise/exercise_media.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/paths.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr char kPictureEnding[] = ".bmp";
constexpr char kVideoEnding[] = ".avi";
// WS_CHILD, as the device wants it in decimal.
constexpr char kChildStyle[] = "1073741824";
constexpr std::int32_t kBaseWidth = 320;
constexpr std::int32_t kBaseHeight = 240;
// Each size as a scale of 320x240, in quarters.
constexpr std::array<std::int32_t, kVideoSizes> kScaleQuarters{3, 4, 6, 8, 12};
constexpr std::array<const char*, kVideoSizes> kSizeTexts{"240x180", "320x240", "480x360",
                                                          "640x480", "960x720"};

// "verb alias rest": every command names its device second.
std::string VideoCommand(std::string_view verb, std::string_view alias, std::string_view rest) {
    std::string command(verb);
    command.append(" ");
    command.append(alias);
    command.append(rest);
    return command;
}

std::string SizeText(SurfaceSize size) {
    return std::to_string(size.width) + " " + std::to_string(size.height);
}

}  // namespace

std::string MediaEnding(std::string_view file) {
    return AsciiLower(file.size() > 4 ? file.substr(file.size() - 4) : file);
}

MediaKind KindOfMedia(std::string_view file) {
    const std::string ending = MediaEnding(file);
    if (ending == kPictureEnding) {
        return MediaKind::Picture;
    }
    return ending == kVideoEnding ? MediaKind::Video : MediaKind::Other;
}

std::string ResolveMediaFile(std::string_view file, std::string_view programFolder) {
    if (file.find(kFolderSeparator) != std::string_view::npos) {
        return std::string(file);
    }
    return JoinPath(programFolder, file);
}

std::optional<SurfaceSize> VideoSurfaceSize(std::int32_t viewAm) {
    if (viewAm < 0 || viewAm >= kVideoSizes) {
        return std::nullopt;
    }
    const std::int32_t q = kScaleQuarters[static_cast<std::size_t>(viewAm)];
    return SurfaceSize{kBaseWidth * q / 4 - 1, kBaseHeight * q / 4 - 1};
}

std::int32_t FittingViewAm(std::int32_t viewAm, SurfaceSize room) {
    for (std::int32_t v = std::min(viewAm, kVideoSizes - 1); v > 0; --v) {
        const SurfaceSize size = *VideoSurfaceSize(v);
        if (size.width <= room.width && size.height <= room.height) {
            return v;
        }
    }
    return 0;
}

const char* VideoSizeText(std::int32_t viewAm) {
    if (viewAm < 0 || viewAm >= kVideoSizes) {
        return "";
    }
    return kSizeTexts[static_cast<std::size_t>(viewAm)];
}

std::string OpenVideoCommand(std::string_view alias, std::string_view path, std::uintptr_t parent) {
    std::string command("open \"");
    command.append(path);
    command.append("\" type AVIVideo alias ");
    command.append(alias);
    command.append(" parent ");
    command.append(std::to_string(parent));
    command.append(" style ");
    command.append(kChildStyle);
    return command;
}

std::string PlaceVideoCommand(std::string_view alias, SurfaceSize size) {
    return VideoCommand("put", alias, " window at 0 0 ") + SizeText(size);
}

std::string VideoDestinationCommand(std::string_view alias, SurfaceSize size) {
    return VideoCommand("put", alias, " destination at 0 0 ") + SizeText(size);
}

std::string PlayVideoCommand(std::string_view alias) {
    return VideoCommand("play", alias, " repeat");
}

std::string CloseVideoCommand(std::string_view alias) {
    return VideoCommand("close", alias, "");
}

std::optional<Place> RecentredPlace(Place current, SurfaceSize window, SurfaceSize screen) {
    const Place centred{(screen.width - window.width) / 2, (screen.height - window.height) / 2};
    if (std::abs(current.left - centred.left) > kCentreSlackTwips ||
        std::abs(current.top - centred.top) > kCentreSlackTwips) {
        return centred;
    }
    return std::nullopt;
}

}  // namespace rilto
