#pragma once
// CProgressBar: turns a picture box into a block progress bar. It owns no window:
// it draws filled rectangles on the canvas it is given.

#include <cstdint>
#include <stdexcept>
#include <string>

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

    void SetCanvas(ProgressCanvas* canvas);  // throws kErrCanvasNotPictureBox
    ProgressCanvas* Canvas() const { return canvas_; }
    void SetValue(std::int32_t v);  // clamped to Min..Max, never throws
    std::int32_t Value() const { return value_; }
    void SetMin(std::int32_t v);  // throws kErrMinNotBelowMax
    std::int32_t Min() const { return min_; }
    void SetMax(std::int32_t v);  // throws kErrMaxNotAboveMin
    std::int32_t Max() const { return max_; }
    void SetForeColor(OleColor c);
    OleColor ForeColor() const { return foreColor_; }
    void SetBackColor(OleColor c);
    OleColor BackColor() const { return backColor_; }
    void Refresh(bool clearFirst = false);
    void Resize();
    void ResizeEx();

    // The layout, for tests and for the canvas's own painting.
    int BlockCount() const { return blockCount_; }
    int LitBlocks() const;

private:
    void Layout();
    void Draw();

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
