#pragma once
// A picture box for the progress bar's tests: records what the bar asks of it and
// keeps the picture a user would see, pixel by pixel, from the clears and fills.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/progress_canvas.h"

namespace rilto {

class FakeProgressCanvas : public ProgressCanvas {
  public:
    static constexpr OleColor kUnpainted = 0xFEFEFEFE;

    struct Fill {
        int x1, y1, x2, y2;
        OleColor color;
    };

    FakeProgressCanvas(double width, double height, double borderPixels = 0,
                       double twipsPerPixel = 15)
        : scaleWidth(width),
          scaleHeight(height),
          borderPixels(borderPixels),
          twipsPerPixel(twipsPerPixel) {}

    bool IsPictureBox() const override { return pictureBox; }
    void SetForeColor(OleColor c) override {
        calls.push_back("ForeColor");
        foreColor = c;
    }
    void SetBackColor(OleColor c) override {
        calls.push_back("BackColor");
        backColor = c;
    }
    void SetScaleModePixels() override { calls.push_back("ScaleMode"); }
    double ScaleWidth() const override { return scaleWidth; }
    double ScaleHeight() const override { return scaleHeight; }
    double OuterWidthTwips() const override {
        return (scaleWidth + 2 * borderPixels) * twipsPerPixel;
    }
    void SetOuterWidthTwips(double twips) override {
        calls.push_back("Width");
        widthsSet.push_back(twips);
        scaleWidth = twips / twipsPerPixel - 2 * borderPixels;
        if (onWidthSet) {
            onWidthSet();
        }
    }
    double TwipsPerPixel() const override { return twipsPerPixel; }
    void Clear() override {
        calls.push_back("Clear");
        clearColor_ = backColor;
        picture_.clear();
    }
    void FillRect(int x1, int y1, int x2, int y2) override {
        fills.push_back({x1, y1, x2, y2, foreColor});
        picture_.push_back(fills.back());
    }

    // The colour at a pixel of the canvas: the last fill over it since the last clear.
    OleColor Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= scaleWidth || y >= scaleHeight) {
            return kUnpainted;
        }
        for (auto it = picture_.rbegin(); it != picture_.rend(); ++it) {
            if (std::min(it->x1, it->x2) <= x && x <= std::max(it->x1, it->x2) &&
                std::min(it->y1, it->y2) <= y && y <= std::max(it->y1, it->y2)) {
                return it->color;
            }
        }
        return clearColor_;
    }

    // Forgets what was asked so far; the picture stays.
    void ResetLog() {
        calls.clear();
        fills.clear();
        widthsSet.clear();
    }

    bool pictureBox = true;
    OleColor foreColor = 0;
    OleColor backColor = 0;
    double scaleWidth;
    double scaleHeight;
    double borderPixels;
    double twipsPerPixel;
    std::vector<std::string> calls;
    std::vector<Fill> fills;
    std::vector<double> widthsSet;
    // Runs after each change of width, as a form's resize event would.
    std::function<void()> onWidthSet;

  private:
    OleColor clearColor_ = kUnpainted;
    std::vector<Fill> picture_;
};

}  // namespace rilto
