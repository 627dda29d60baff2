#pragma once
// The surface a progress bar draws on: a picture box, in pixels.

#include <cstdint>

namespace rilto {

// Colours as stored: 0x00BBGGRR, or with the top bit set a system colour index
// (0x8000000D highlight, 0x8000000F button face) that the canvas resolves.
using OleColor = std::uint32_t;

class ProgressCanvas {
  public:
    virtual ~ProgressCanvas() = default;
    // Whether this object is a picture box; only those can carry a progress bar.
    virtual bool IsPictureBox() const = 0;
    virtual void SetForeColor(OleColor c) = 0;
    virtual void SetBackColor(OleColor c) = 0;
    // Measures in pixels from now on; the bar works in nothing else.
    virtual void SetScaleModePixels() = 0;
    virtual double ScaleWidth() const = 0;   // inner width, pixels
    virtual double ScaleHeight() const = 0;  // inner height, pixels
    virtual double OuterWidthTwips() const = 0;
    virtual void SetOuterWidthTwips(double twips) = 0;
    virtual double TwipsPerPixel() const = 0;
    // Fills with the back colour.
    virtual void Clear() = 0;
    // A filled rectangle in the foreground colour, from corner (x1, y1) to corner
    // (x2, y2), both inclusive, given in either order; what lies off the canvas is cut.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
};

}  // namespace rilto
