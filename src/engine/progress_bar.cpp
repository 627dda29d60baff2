#include "engine/progress_bar.h"

#include <cmath>

#include "common/scoped_flag.h"

namespace rilto {

namespace {

constexpr char kCanvasSource[] = "CProgressBar.Canvas";
constexpr char kCanvasDescription[] = "Canvas property must be of type PictureBox.";
constexpr char kMinSource[] = "CProgressBar.Min";
constexpr char kMinDescription[] = "Min property must be less than Max.";
constexpr char kMaxSource[] = "CProgressBar.Max";
constexpr char kMaxDescription[] = "Max property must be greater than Min.";

constexpr int kMargin = 0;
constexpr int kBlockGap = 0;
constexpr int kBlockWidth = 1;

// Whole numbers are rounded to the nearest, halves to the even neighbour, whatever
// rounding mode the floating-point unit happens to be in.
double RoundHalfEven(double v) {
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// A canvas dimension as whole pixels, within 0..kMaxCanvasPixels so that the layout
// arithmetic cannot overflow whatever the canvas reports (NaN and negatives give 0).
int CanvasPixels(double v) {
    if (!(v > 0)) {
        return 0;
    }
    const double rounded = RoundHalfEven(v);
    if (rounded >= CProgressBar::kMaxCanvasPixels) {
        return CProgressBar::kMaxCanvasPixels;
    }
    return static_cast<int>(rounded);
}

}  // namespace

void CProgressBar::SetCanvas(ProgressCanvas* canvas) {
    if (canvas == nullptr || !canvas->IsPictureBox()) {
        throw ProgressBarError(kErrCanvasNotPictureBox, kCanvasSource, kCanvasDescription);
    }
    canvas_ = canvas;
    canvas_->SetForeColor(foreColor_);
    canvas_->SetBackColor(backColor_);
    canvas_->SetScaleModePixels();
    ResizeEx();
}

void CProgressBar::SetValue(std::int32_t v) {
    if (v > max_) {
        value_ = max_;
    } else if (v < min_) {
        value_ = min_;
    } else {
        value_ = v;
    }
    Refresh();
}

void CProgressBar::SetMin(std::int32_t v) {
    if (v >= max_) {
        throw ProgressBarError(kErrMinNotBelowMax, kMinSource, kMinDescription);
    }
    min_ = v;
    Refresh();
}

void CProgressBar::SetMax(std::int32_t v) {
    if (v <= min_) {
        throw ProgressBarError(kErrMaxNotAboveMin, kMaxSource, kMaxDescription);
    }
    max_ = v;
    Refresh();
}

void CProgressBar::SetForeColor(OleColor c) {
    foreColor_ = c;
    if (canvas_ != nullptr) {
        canvas_->SetForeColor(c);
        Refresh();
    }
}

void CProgressBar::SetBackColor(OleColor c) {
    backColor_ = c;
    if (canvas_ != nullptr) {
        canvas_->SetBackColor(c);
        Refresh();
    }
}

void CProgressBar::Refresh(bool clearFirst) {
    if (canvas_ == nullptr) {
        return;
    }
    if (clearFirst) {
        canvas_->Clear();
    }
    Draw();
}

void CProgressBar::Resize() {
    if (canvas_ == nullptr) {
        return;
    }
    Layout();
    Refresh(true);
}

void CProgressBar::ResizeEx() {
    if (canvas_ == nullptr || resizing_) {
        return;
    }
    Layout();
    const int width = CanvasPixels(canvas_->ScaleWidth());
    int full = NeededWidth(blockCount_);
    const int shorter = full - kBlockWidth - kBlockGap;
    // A width at least as close to one block fewer (ties included) loses the last block.
    if (width - shorter <= full - width) {
        --blockCount_;
        full = NeededWidth(blockCount_);
    }
    const double twipsPerPixel = canvas_->TwipsPerPixel();
    double border = RoundHalfEven(canvas_->OuterWidthTwips() - width * twipsPerPixel);
    if (!std::isfinite(border)) {
        border = 0;
    }
    {
        const ScopedFlag guard(resizing_);
        canvas_->SetOuterWidthTwips(full * twipsPerPixel + border);
    }
    Refresh(true);
}

int CProgressBar::LitBlocks() const {
    // In floating point: Value - Min and Max - Min may not fit 32 bits, and Value may lie
    // outside Min..Max after Min or Max changed.
    const double share = (static_cast<double>(value_) - min_) / (static_cast<double>(max_) - min_);
    const double lit = RoundHalfEven(share * blockCount_);
    if (!(lit > 0)) {
        return 0;
    }
    return lit >= blockCount_ ? blockCount_ : static_cast<int>(lit);
}

void CProgressBar::Layout() {
    margin_ = kMargin;
    blockGap_ = kBlockGap;
    blockHeight_ = CanvasPixels(canvas_->ScaleHeight()) - 2 * margin_;
    blockWidth_ = kBlockWidth;
    blockCount_ = CanvasPixels(canvas_->ScaleWidth()) / (blockGap_ + blockWidth_) + 1;
}

int CProgressBar::NeededWidth(int blocks) const {
    return (blockWidth_ + blockGap_) * blocks + blockGap_;
}

void CProgressBar::Draw() {
    const int lit = LitBlocks();
    int x = margin_;
    canvas_->SetForeColor(foreColor_);
    DrawBlocks(lit, x);
    if (lit < blockCount_) {
        // The canvas's foreground colour stays at BackColor afterwards.
        canvas_->SetForeColor(backColor_);
        DrawBlocks(blockCount_ - lit, x);
    }
}

void CProgressBar::DrawBlocks(int count, int& x) {
    for (int i = 0; i < count; ++i) {
        canvas_->FillRect(x, margin_, x + blockWidth_, margin_ + blockHeight_ - 1);
        x += blockGap_ + blockWidth_;
    }
}

}  // namespace rilto
