#pragma once
// What the exercise player decides before it touches a window: what kind of medium a
// file is, where it lies, how large a video is shown, the command strings that drive a
// video device, and whether the window needs moving back to the centre.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rilto {

enum class MediaKind { Picture, Video, Other };

// The last four characters of the name in lower case: ".bmp" is a picture, ".avi" a
// video, anything else shows nothing.
std::string MediaEnding(std::string_view file);
MediaKind KindOfMedia(std::string_view file);

// A name without a folder ("\") lies in the program folder; any other name stands as
// it is. Both pictures and videos are looked up this way.
std::string ResolveMediaFile(std::string_view file, std::string_view programFolder);

struct SurfaceSize {
    std::int32_t width;
    std::int32_t height;
};
inline constexpr std::int32_t kVideoSizes = 5;
// The video surface for "ViewAm" 0 to 4: 320x240 scaled by 0.75, 1, 1.5, 2 or 3, less
// one pixel each way. No size outside that.
std::optional<SurfaceSize> VideoSurfaceSize(std::int32_t viewAm);
// The largest video size up to `viewAm` that fits in `room`, for a preview in a smaller
// window than the player's; the smallest when none fits.
std::int32_t FittingViewAm(std::int32_t viewAm, SurfaceSize room);
// The items of the video size box, in "ViewAm" order.
const char* VideoSizeText(std::int32_t viewAm);

// Each surface that plays videos has a video device of its own, named by its alias: the
// player's, and the settings dialog's preview, which may run during a break.
inline constexpr char kPlayerVideoAlias[] = "riltox";
inline constexpr char kPreviewVideoAlias[] = "riltoxpreview";
// Opens the file as a child window (WS_CHILD) of `parent`, the surface.
std::string OpenVideoCommand(std::string_view alias, std::string_view path, std::uintptr_t parent);
std::string PlaceVideoCommand(std::string_view alias, SurfaceSize size);
// Where the picture goes in the video window: all of it.
std::string VideoDestinationCommand(std::string_view alias, SurfaceSize size);
// Plays the open video over and over.
std::string PlayVideoCommand(std::string_view alias);
std::string CloseVideoCommand(std::string_view alias);

// Twips, the unit the window's place is kept in, per inch.
inline constexpr std::int32_t kTwipsPerInch = 1440;
// A window further than this from its centred place is moved back there.
inline constexpr std::int32_t kCentreSlackTwips = 50;
struct Place {
    std::int32_t left;
    std::int32_t top;
};
// Where a window of the given size goes, centred on the screen, or nothing when it is
// close enough to there already. All in twips.
std::optional<Place> RecentredPlace(Place current, SurfaceSize window, SurfaceSize screen);

}  // namespace rilto
