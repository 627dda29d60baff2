#pragma once
// CProgressBar: turns a picture box into a block progress bar. It owns no window:
// it draws filled rectangles on the canvas it is given.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/progress_canvas.h"

namespace rilto {

// The errors the class raises, in the object-defined range.
inline constexpr std::uint32_t kErrCanvasNotPictureBox = 0x80040001;
inline constexpr std::uint32_t kErrMinNotBelowMax = 0x80040002;
inline constexpr std::uint32_t kErrMaxNotAboveMin = 0x80040003;

class ProgressBarError : public std::runtime_error {
  public:
    ProgressBarError(std::uint32_t number, std::string source, const std::string& description)
        : std::runtime_error(description), number_(number), source_(std::move(source)) {}
    std::uint32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    std::string Description() const { return what(); }

  private:
    std::uint32_t number_;
    std::string source_;
};

class CProgressBar {
  public:
    inline static constexpr OleColor kDefaultForeColor = 0x8000000D;
    inline static constexpr OleColor kDefaultBackColor = 0x8000000F;
    // The widest and tallest canvas the layout follows, in pixels: the range of the 16-bit
    // layout the bar has always had. A larger canvas keeps its size, and the bar covers
    // this much of it.
    inline static constexpr int kMaxCanvasPixels = 32767;

    // Binds the canvas, gives it the bar's colours and fits it to whole blocks. Anything
    // that is not a picture box (null included) is refused and the old canvas stays.
    void SetCanvas(ProgressCanvas* canvas);  // throws kErrCanvasNotPictureBox
    ProgressCanvas* Canvas() const { return canvas_; }
    void SetValue(std::int32_t v);  // clamped to Min..Max, never throws
    std::int32_t Value() const { return value_; }
    // Min and Max leave Value where it is, even outside the new range.
    void SetMin(std::int32_t v);  // throws kErrMinNotBelowMax
    std::int32_t Min() const { return min_; }
    void SetMax(std::int32_t v);  // throws kErrMaxNotAboveMin
    std::int32_t Max() const { return max_; }
    void SetForeColor(OleColor c);
    OleColor ForeColor() const { return foreColor_; }
    void SetBackColor(OleColor c);
    OleColor BackColor() const { return backColor_; }
    // Draws the bar on the canvas, after clearing it when asked. No canvas, no drawing.
    void Refresh(bool clearFirst = false);
    // Lays the blocks out again for the canvas's size and redraws from clear.
    void Resize();
    // As Resize, and also fits the canvas width to whole blocks.
    void ResizeEx();

    // The layout, for tests and for the canvas's own painting.
    int BlockCount() const { return blockCount_; }
    // Blocks drawn in ForeColor: Value's share of the blocks, held within 0..BlockCount.
    int LitBlocks() const;

  private:
    void Layout();
    void Draw();
    void DrawBlocks(int count, int& x);
    int NeededWidth(int blocks) const;

    ProgressCanvas* canvas_ = nullptr;
    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    OleColor foreColor_ = kDefaultForeColor;
    OleColor backColor_ = kDefaultBackColor;
    int blockWidth_ = 0;
    int blockHeight_ = 0;
    int blockGap_ = 0;
    int margin_ = 0;
    int blockCount_ = 0;
    bool resizing_ = false;
};

}  // namespace rilto
