#include "engine/progress_bar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_progress_canvas.h"

namespace rilto {
namespace {

constexpr OleColor kRed = 0x000000FF;
constexpr OleColor kBlue = 0x00FF0000;

// Runs `action`, which must raise a ProgressBarError, and returns the error.
template <typename Action>
ProgressBarError ErrorOf(Action action) {
    try {
        action();
    } catch (const ProgressBarError& e) {
        return e;
    }
    ADD_FAILURE() << "no ProgressBarError raised";
    return ProgressBarError(0, "", "");
}

// The number of leading columns painted in `lit`, checked on the top and bottom rows;
// every later column must be painted in `unlit`.
int LitColumns(const FakeProgressCanvas& canvas, OleColor lit, OleColor unlit) {
    const int width = static_cast<int>(canvas.scaleWidth);
    const int bottom = static_cast<int>(canvas.scaleHeight) - 1;
    int columns = 0;
    while (columns < width && canvas.Pixel(columns, 0) == lit) {
        EXPECT_EQ(canvas.Pixel(columns, bottom), lit) << "column " << columns;
        ++columns;
    }
    for (int x = columns; x < width; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0), unlit) << "column " << x;
        EXPECT_EQ(canvas.Pixel(x, bottom), unlit) << "column " << x;
    }
    return columns;
}

TEST(ProgressBar, NewInstanceHasItsDefaultsAndDrawsOnlyOnceBound) {
    CProgressBar bar;
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.ForeColor(), 0x8000000Du);
    EXPECT_EQ(bar.BackColor(), 0x8000000Fu);
    EXPECT_EQ(bar.Canvas(), nullptr);

    // Without a canvas the value is still kept, clamped, and nothing is laid out.
    bar.SetValue(150);
    bar.Refresh(true);
    bar.Resize();
    bar.ResizeEx();
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(bar.BlockCount(), 0);

    FakeProgressCanvas canvas(200, 10);
    bar.SetMax(400);
    bar.SetCanvas(&canvas);
    EXPECT_EQ(bar.Canvas(), &canvas);
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 50);
}

TEST(ProgressBar, ValueIsClampedToMinAndMaxAndNeverRaises) {
    CProgressBar bar;
    bar.SetMin(-10);
    bar.SetMax(10);
    bar.SetValue(10 + 5);
    EXPECT_EQ(bar.Value(), 10);
    bar.SetValue(-10 - 5);
    EXPECT_EQ(bar.Value(), -10);
    bar.SetValue(7);
    EXPECT_EQ(bar.Value(), 7);
    EXPECT_NO_THROW(bar.SetValue(std::numeric_limits<std::int32_t>::max()));
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_NO_THROW(bar.SetValue(std::numeric_limits<std::int32_t>::min()));
    EXPECT_EQ(bar.Value(), -10);
}

TEST(ProgressBar, MinAndMaxRefuseAnEmptyRangeAndStoreNothing) {
    FakeProgressCanvas canvas(50, 4);
    CProgressBar bar;
    bar.SetCanvas(&canvas);
    canvas.ResetLog();

    const ProgressBarError maxError = ErrorOf([&] { bar.SetMax(0); });
    EXPECT_EQ(maxError.Number(), 0x80040003u);
    EXPECT_EQ(maxError.Source(), "CProgressBar.Max");
    EXPECT_EQ(maxError.Description(), "Max property must be greater than Min.");
    EXPECT_EQ(bar.Max(), 100);

    const ProgressBarError minError = ErrorOf([&] { bar.SetMin(100); });
    EXPECT_EQ(minError.Number(), 0x80040002u);
    EXPECT_EQ(minError.Source(), "CProgressBar.Min");
    EXPECT_EQ(minError.Description(), "Min property must be less than Max.");
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_TRUE(canvas.fills.empty());

    // One apart is a valid range, and each accepted change redraws without clearing.
    bar.SetMin(99);
    bar.SetMax(100);
    EXPECT_EQ(bar.Min(), 99);
    bar.SetMin(-1000);
    bar.SetMax(-999);
    EXPECT_EQ(bar.Min(), -1000);
    EXPECT_EQ(bar.Max(), -999);
    EXPECT_EQ(canvas.fills.size(), 4u * 50);
    EXPECT_EQ(std::count(canvas.calls.begin(), canvas.calls.end(), "Clear"), 0);
}

TEST(ProgressBar, MinAndMaxLeaveValueOutsideTheNewRange) {
    FakeProgressCanvas canvas(100, 3);
    CProgressBar bar;
    bar.SetCanvas(&canvas);
    bar.SetValue(80);

    bar.SetMax(50);
    EXPECT_EQ(bar.Value(), 80);
    EXPECT_EQ(bar.LitBlocks(), 100);
    canvas.ResetLog();
    bar.Refresh();
    EXPECT_EQ(canvas.fills.size(), 100u) << "a value above Max draws the blocks there are";
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 100);

    bar.SetMin(-200);
    bar.SetMin(49);
    EXPECT_EQ(bar.Value(), 80);
    bar.SetMax(100);
    bar.SetMin(90);
    EXPECT_EQ(bar.Value(), 80);
    EXPECT_EQ(bar.LitBlocks(), 0);
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 0);
}

TEST(ProgressBar, OnlyAPictureBoxCanBeTheCanvas) {
    FakeProgressCanvas picture(30, 5);
    FakeProgressCanvas label(30, 5);
    label.pictureBox = false;
    CProgressBar bar;
    bar.SetCanvas(&picture);
    picture.ResetLog();

    for (ProgressCanvas* wrong :
         {static_cast<ProgressCanvas*>(&label), static_cast<ProgressCanvas*>(nullptr)}) {
        const ProgressBarError e = ErrorOf([&] { bar.SetCanvas(wrong); });
        EXPECT_EQ(e.Number(), 0x80040001u);
        EXPECT_EQ(e.Source(), "CProgressBar.Canvas");
        EXPECT_EQ(e.Description(), "Canvas property must be of type PictureBox.");
        EXPECT_EQ(bar.Canvas(), &picture);
    }
    EXPECT_TRUE(label.calls.empty());
    bar.SetValue(50);
    EXPECT_TRUE(label.fills.empty());
    EXPECT_EQ(picture.fills.size(), 30u);
}

TEST(ProgressBar, BindingColoursTheCanvasThenFitsAndDrawsFromClear) {
    FakeProgressCanvas canvas(20, 6);
    CProgressBar bar;
    bar.SetForeColor(kRed);
    bar.SetBackColor(kBlue);
    bar.SetValue(25);
    bar.SetCanvas(&canvas);

    const std::vector<std::string> first(canvas.calls.begin(), canvas.calls.begin() + 6);
    EXPECT_EQ(first, (std::vector<std::string>{"ForeColor", "BackColor", "ScaleMode", "Width",
                                               "Clear", "ForeColor"}));
    EXPECT_EQ(canvas.foreColor, kBlue);
    EXPECT_EQ(canvas.backColor, kBlue);
    EXPECT_EQ(LitColumns(canvas, kRed, kBlue), 5);
}

TEST(ProgressBar, TwoHundredPixelCanvasHasTwoHundredOnePixelColumns) {
    FakeProgressCanvas canvas(200, 12);
    CProgressBar bar;
    bar.SetCanvas(&canvas);
    EXPECT_EQ(bar.BlockCount(), 200);

    bar.SetMax(150);
    canvas.ResetLog();
    bar.SetValue(1);
    EXPECT_EQ(bar.LitBlocks(), 1);
    ASSERT_EQ(canvas.fills.size(), 200u);
    for (int i = 0; i < 200; ++i) {
        const FakeProgressCanvas::Fill& f = canvas.fills[i];
        EXPECT_EQ(f.x1, i);
        EXPECT_EQ(f.x2, i + 1);
        EXPECT_EQ(f.y1, 0);
        EXPECT_EQ(f.y2, 11);
        EXPECT_EQ(f.color,
                  i < 1 ? CProgressBar::kDefaultForeColor : CProgressBar::kDefaultBackColor);
    }
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 1);

    bar.SetValue(149);
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 199);
    bar.SetValue(150);
    EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), 200);
}

TEST(ProgressBar, ExactHalvesRoundToTheEvenColumnCount) {
    // 128 columns over 0..256: each step is exactly half a column.
    FakeProgressCanvas canvas(128, 2);
    CProgressBar bar;
    bar.SetMax(256);
    bar.SetCanvas(&canvas);
    const struct {
        std::int32_t value;
        int lit;
    } cases[] = {{1, 0}, {3, 2}, {5, 2}, {7, 4}, {8, 4}, {9, 4}, {255, 128}};
    for (const auto& c : cases) {
        bar.SetValue(c.value);
        EXPECT_EQ(bar.LitBlocks(), c.lit) << "value " << c.value;
        EXPECT_EQ(LitColumns(canvas, 0x8000000D, 0x8000000F), c.lit) << "value " << c.value;
    }

    // The same with a range that does not start at 0.
    bar.SetMin(-256);
    bar.SetValue(-256 + 2 * 5);
    EXPECT_EQ(bar.LitBlocks(), 2);
    bar.SetValue(-256 + 2 * 7);
    EXPECT_EQ(bar.LitBlocks(), 4);
}

TEST(ProgressBar, ResizeExKeepsTheCanvasWidth) {
    for (const double twips : {15.0, 12.0, 7.5}) {
        for (const double width : {0.0, 1.0, 7.0, 200.0, 333.0}) {
            FakeProgressCanvas canvas(width, 9, 2, twips);
            const double outer = canvas.OuterWidthTwips();
            CProgressBar bar;
            bar.SetCanvas(&canvas);
            ASSERT_EQ(canvas.widthsSet.size(), 1u);
            EXPECT_DOUBLE_EQ(canvas.widthsSet[0], outer) << width << " px at " << twips;
            EXPECT_DOUBLE_EQ(canvas.scaleWidth, width);
            EXPECT_EQ(bar.BlockCount(), static_cast<int>(width));
        }
    }
}

TEST(ProgressBar, ResizeLaysOutAgainWithoutFittingTheWidth) {
    FakeProgressCanvas canvas(200, 12);
    CProgressBar bar;
    bar.SetCanvas(&canvas);
    canvas.scaleWidth = 50;
    canvas.scaleHeight = 4;
    canvas.ResetLog();
    bar.Resize();
    EXPECT_TRUE(canvas.widthsSet.empty());
    EXPECT_EQ(canvas.calls.front(), "Clear");
    // Without the fitting the layout keeps one block past the canvas.
    EXPECT_EQ(bar.BlockCount(), 51);
    ASSERT_FALSE(canvas.fills.empty());
    EXPECT_EQ(canvas.fills.back().x1, 50);
    EXPECT_EQ(canvas.fills.back().y2, 3);
}

TEST(ProgressBar, ResizeExIgnoresTheResizeItCausesItself) {
    FakeProgressCanvas canvas(60, 5, 1);
    CProgressBar bar;
    int resizeEvents = 0;
    canvas.onWidthSet = [&] {
        ++resizeEvents;
        bar.ResizeEx();
    };
    bar.SetCanvas(&canvas);
    EXPECT_EQ(resizeEvents, 1);
    EXPECT_EQ(canvas.widthsSet.size(), 1u);
    EXPECT_EQ(std::count(canvas.calls.begin(), canvas.calls.end(), "Clear"), 1);

    // The guard falls again, also when the canvas fails while being resized.
    canvas.onWidthSet = [] { throw std::runtime_error("resize failed"); };
    EXPECT_THROW(bar.ResizeEx(), std::runtime_error);
    canvas.onWidthSet = nullptr;
    canvas.ResetLog();
    bar.ResizeEx();
    EXPECT_EQ(canvas.widthsSet.size(), 1u);
    EXPECT_EQ(canvas.fills.size(), 60u);
}

TEST(ProgressBar, ColoursPassThroughAndTheCanvasIsLeftAtBackColor) {
    FakeProgressCanvas canvas(10, 3);
    CProgressBar bar;
    bar.SetCanvas(&canvas);
    bar.SetValue(30);
    canvas.ResetLog();

    bar.SetForeColor(kRed);
    EXPECT_EQ(bar.ForeColor(), kRed);
    EXPECT_EQ(canvas.foreColor, CProgressBar::kDefaultBackColor);
    EXPECT_EQ(LitColumns(canvas, kRed, CProgressBar::kDefaultBackColor), 3);

    bar.SetBackColor(0x80000005);
    EXPECT_EQ(canvas.backColor, 0x80000005u) << "system colours are passed on unresolved";
    EXPECT_EQ(canvas.foreColor, 0x80000005u);
    EXPECT_EQ(LitColumns(canvas, kRed, 0x80000005), 3);
    EXPECT_EQ(std::count(canvas.calls.begin(), canvas.calls.end(), "Clear"), 0);

    // Fully lit, no block is drawn in BackColor, and the canvas keeps ForeColor.
    bar.SetValue(100);
    EXPECT_EQ(canvas.foreColor, kRed);
    EXPECT_EQ(LitColumns(canvas, kRed, 0x80000005), 10);

    bar.Refresh(true);
    EXPECT_EQ(std::count(canvas.calls.begin(), canvas.calls.end(), "Clear"), 1);
}

TEST(ProgressBar, AnyCanvasSizeOrRangeIsDrawnWithoutOverflow) {
    FakeProgressCanvas huge(1e9, 1e6);
    CProgressBar bar;
    bar.SetCanvas(&huge);
    EXPECT_EQ(bar.BlockCount(), CProgressBar::kMaxCanvasPixels);
    EXPECT_DOUBLE_EQ(huge.scaleWidth, 1e9) << "the canvas keeps its width";
    EXPECT_EQ(huge.fills.back().y2, CProgressBar::kMaxCanvasPixels - 1);
    bar.SetValue(50);
    EXPECT_EQ(bar.LitBlocks(), 16384);  // 16383.5, to even

    for (const double broken : {-40.0, std::numeric_limits<double>::quiet_NaN(),
                                -std::numeric_limits<double>::infinity()}) {
        FakeProgressCanvas canvas(broken, broken);
        bar.SetCanvas(&canvas);
        EXPECT_EQ(bar.BlockCount(), 0);
        EXPECT_TRUE(canvas.fills.empty());
    }

    // Value - Min and Max - Min do not fit 32 bits here.
    FakeProgressCanvas canvas(100, 1);
    bar.SetCanvas(&canvas);
    bar.SetMin(std::numeric_limits<std::int32_t>::min());
    bar.SetMax(std::numeric_limits<std::int32_t>::max());
    bar.SetValue(0);
    EXPECT_EQ(bar.LitBlocks(), 50);
    bar.SetValue(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(bar.LitBlocks(), 100);
}

}  // namespace
}  // namespace rilto
