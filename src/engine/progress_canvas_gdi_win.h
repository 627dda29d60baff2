#pragma once
// The progress bar's canvas on Windows: a child window (picPB) drawn on with GDI.

#include <windows.h>

#include "engine/progress_canvas.h"

namespace rilto {

class CProgressBar;

// A stored colour as GDI takes it: with the top bit set, the system colour of that
// index (GetSysColor); otherwise the colour itself.
COLORREF ResolveColor(OleColor c);

class GdiProgressCanvas : public ProgressCanvas {
  public:
    // The window is borrowed; it must outlive the canvas or the bar's use of it.
    explicit GdiProgressCanvas(HWND window) : window_(window) {}

    // Drawing goes into `dc` instead of a DC of the window until the target is set back
    // to null: the DC of the window's WM_PAINT, or a memory DC. Its origin is taken as
    // the top left of the window's client area, and drawing stays within that area.
    void SetTarget(HDC dc) { target_ = dc; }
    HDC Target() const { return target_; }

    bool IsPictureBox() const override { return true; }
    void SetForeColor(OleColor c) override { foreColor_ = c; }
    void SetBackColor(OleColor c) override { backColor_ = c; }
    // A window measures its client area in pixels already.
    void SetScaleModePixels() override {}
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double OuterWidthTwips() const override;
    // Resizes the window, keeping its place, height and z-order.
    void SetOuterWidthTwips(double twips) override;
    double TwipsPerPixel() const override;
    void Clear() override;
    void FillRect(int x1, int y1, int x2, int y2) override;

  private:
    RECT Client() const;
    void Fill(RECT r, OleColor c);

    HWND window_;
    HDC target_ = nullptr;
    OleColor foreColor_ = 0;
    OleColor backColor_ = 0;
};

// Points a canvas at a DC for a scope, then back at the target it had before.
class CanvasTarget {
  public:
    CanvasTarget(GdiProgressCanvas& canvas, HDC dc) : canvas_(canvas), old_(canvas.Target()) {
        canvas_.SetTarget(dc);
    }
    ~CanvasTarget() { canvas_.SetTarget(old_); }
    CanvasTarget(const CanvasTarget&) = delete;
    CanvasTarget& operator=(const CanvasTarget&) = delete;

  private:
    GdiProgressCanvas& canvas_;
    HDC old_;
};

// Draws the whole bar again into `dc`, the DC of a WM_PAINT of the canvas window. While
// the bar is bound to another canvas (or none), the window is only filled with its back
// colour.
void PaintProgressBar(CProgressBar& bar, GdiProgressCanvas& canvas, HDC dc);

}  // namespace rilto
