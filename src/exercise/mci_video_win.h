#pragma once
// Showing an exercise's medium: the surface a picture is drawn on or a video plays in,
// and the operations that fill it. A picture is a .bmp loaded from its file; a video
// is an .avi played by the MCI video device "riltox", whose window is a child of the
// surface. The player window and the settings' preview share these.

#include <windows.h>

#include <cstdint>
#include <string>

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

// Shows the file (a name without a folder lies in the program folder) on the surface:
// a picture, or a video sized by `viewAm` (an unknown size is the smallest), opened
// and placed but not yet playing. Any other kind of file leaves the surface as it is.
// The lower-case ending of the name, which tells the caller what it shows.
std::string ShowExercise(MediaSurface& surface, const std::string& file, std::int32_t viewAm,
                         const std::string& programFolder);

// Loads the .bmp onto the surface, freeing the picture before; a file that cannot be
// loaded leaves the surface empty.
void ShowPicture(MediaSurface& surface, const std::string& path);

// Opens the video in a window of the surface's video size; the picture goes.
void OpenVideo(MediaSurface& surface, const std::string& path, std::int32_t viewAm);
// Plays the open video over and over.
void PlayVideo();
// Closes the video device, if a video is open.
void CloseVideo();
// Whether the open video plays on this surface: the player and the preview share the
// device, and each closes only its own.
bool VideoOpenOn(const MediaSurface& surface);

}  // namespace rilto
