#pragma once
// Showing an exercise's medium: the surface a picture is drawn on or a video plays in,
// and the operations that fill it. A picture is a .bmp loaded from its file; a video
// is an .avi played by an MCI video device, whose window is a child of the surface.
// The player window and the settings' preview each own a surface and a device.

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "common/handles_win.h"
#include "common/window_win.h"
#include "exercise/exercise_media.h"

namespace rilto {

// A child window that draws its picture at its top-left corner on its background
// colour, or holds the video window. It owns the picture.
class MediaSurface : public Window {
  public:
    MediaSurface() = default;
    ~MediaSurface() override { Destroy(); }

    // Created hidden; the background black until told otherwise.
    bool Create(HWND parent, int childId);

    // Takes the picture (null for none) and, when there is one, the picture's size.
    void SetPicture(UniqueGdi<HBITMAP> picture);
    HBITMAP Picture() const { return picture_.get(); }
    void SetBackground(COLORREF color);
    void SetSize(SurfaceSize size);
    SurfaceSize Size() const;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint();

    UniqueGdi<HBITMAP> picture_;
    UniqueGdi<HBRUSH> background_;
};

// One MCI video device, named by its alias, that its owner opens on a surface and
// closes; it closes what it opened when it goes. Move-only: one owner per alias.
class VideoDevice {
  public:
    explicit VideoDevice(std::string alias) : alias_(std::move(alias)) {}
    ~VideoDevice() { Close(); }
    VideoDevice(VideoDevice&& other) noexcept;
    VideoDevice& operator=(VideoDevice&& other) noexcept;
    VideoDevice(const VideoDevice&) = delete;
    VideoDevice& operator=(const VideoDevice&) = delete;

    // Opens the video in a window of the surface's video size (by `viewAm`, an unknown
    // size the smallest), placed but not yet playing; the surface's picture goes, and
    // any video this device had open before is closed.
    void Open(MediaSurface& surface, const std::string& path, std::int32_t viewAm);
    // Plays the open video over and over.
    void Play();
    // Closes the video, if one is open.
    void Close();
    // A video opened and not closed since.
    bool IsOpen() const { return open_; }

  private:
    std::string alias_;
    bool open_ = false;
};

// Shows the file (a name without a folder lies in the program folder) on the surface:
// a picture, or a video on the device, sized by `viewAm`, opened and placed but not yet
// playing. Any other kind of file leaves the surface as it is. The lower-case ending
// of the name, which tells the caller what it shows.
std::string ShowExercise(VideoDevice& device, MediaSurface& surface, const std::string& file,
                         std::int32_t viewAm, const std::string& programFolder);

// Loads the .bmp onto the surface, freeing the picture before; a file that cannot be
// loaded leaves the surface empty.
void ShowPicture(MediaSurface& surface, const std::string& path);

}  // namespace rilto
