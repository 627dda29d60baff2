#pragma once
// Whether a window of this process shows all it holds at the DPI it runs at: every
// control lies inside its parent's client area, and every text fits its control, by the
// control's own font and by the ink the control paints when it is given more room.
// Also a contact sheet: captures of windows side by side with their names, one picture.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace harness {

// What does not fit in the visible window and its visible descendants, one line each;
// empty when everything fits. Controls of `outOfSight` (by id) are kept out of view on
// purpose (a Cancel for ESC, say) and are not checked.
std::vector<std::string> LayoutFaults(HWND window, const std::vector<int>& outOfSight = {});
// The same lines joined, for a test's message.
std::string Joined(const std::vector<std::string>& lines);

// Where the control paints ink in its client area when it paints itself alone: the
// bounding box of the pixels that differ from its background (the pixel at the
// bottom-right corner). Empty (right <= left) when it paints nothing.
RECT InkOf(HWND control);

// 32-bit pixels, top row first, saved as build/screenshots/<name>.bmp.
void SaveBitmap(const std::wstring& name, const std::uint32_t* pixels, int width, int height);
// What the screen shows inside the window's rectangle.
std::vector<std::uint32_t> CaptureWindow(HWND window, SIZE* size);

class ContactSheet {
  public:
    // The window as the screen shows it now, under its name; a window wider or taller
    // than the sheet's cell is shrunk into it.
    void Add(const std::wstring& name, HWND window);
    // Every capture in a grid, each under its name.
    void Save(const std::wstring& name) const;
    std::size_t Size() const { return shots_.size(); }

  private:
    struct Shot {
        std::wstring name;
        SIZE size;
        std::vector<std::uint32_t> pixels;
    };
    std::vector<Shot> shots_;
};

}  // namespace harness
