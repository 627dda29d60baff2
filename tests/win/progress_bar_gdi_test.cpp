// The progress bar drawn with GDI on real windows and device contexts, read back
// pixel by pixel from a DIB section.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

#include "engine/progress_bar.h"
#include "engine/progress_canvas_gdi_win.h"
#include "common/handles_win.h"
#include "support/harness.h"

namespace rilto {
namespace {

constexpr wchar_t kHostClass[] = L"RiltoProgressTestHost";
constexpr wchar_t kCanvasClass[] = L"RiltoProgressTestCanvas";
constexpr COLORREF kRed = RGB(220, 20, 30);
constexpr COLORREF kGreen = RGB(10, 200, 40);
// What a DIB pixel holds before anything is drawn on it.
constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr int kCanvasWidth = 200;
constexpr int kCanvasHeight = 10;
constexpr DWORD kPaintTimeoutMs = 5000;

// What the canvas window does on WM_PAINT, as frmRilto's picPB does.
std::function<void(HWND, HDC)> paintHandler;

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (paintHandler) {
            paintHandler(hwnd, dc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A 32-bit top-down DIB section in a memory DC, every pixel kUntouched at first.
class DibSurface {
  public:
    DibSurface(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        selected_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
        const std::uint32_t untouched =
            (GetRValue(kUntouched) << 16) | (GetGValue(kUntouched) << 8) | GetBValue(kUntouched);
        std::fill(bits_, bits_ + width * height, untouched);
    }
    bool Ok() const { return dc_ && bitmap_ && bits_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

  private:
    int width_;
    UniqueDc dc_;
    UniqueGdi<HBITMAP> bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::unique_ptr<SelectedObject> selected_;
};

// The number of leading columns in `lit` on every row of the canvas; the remaining
// columns of the canvas must all be `unlit`.
int LitColumns(const DibSurface& s, COLORREF lit, COLORREF unlit) {
    int columns = 0;
    while (columns < kCanvasWidth && s.At(columns, 0) == lit) {
        ++columns;
    }
    for (int y = 0; y < kCanvasHeight; ++y) {
        for (int x = 0; x < kCanvasWidth; ++x) {
            const COLORREF want = x < columns ? lit : unlit;
            if (s.At(x, y) != want) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << s.At(x, y)
                              << ", not " << want;
                return -1;
            }
        }
    }
    return columns;
}

class ProgressBarGdi : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = kHostClass;
        RegisterClassExW(&wc);
        wc.lpfnWndProc = CanvasProc;
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kCanvasClass;
        RegisterClassExW(&wc);
    }

    void SetUp() override {
        host_.reset(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHostClass, L"host", WS_POPUP,
                                    0, 0, 400, 100, nullptr, nullptr, GetModuleHandleW(nullptr),
                                    nullptr));
        ASSERT_NE(host_, nullptr);
        // A border, so the outer width differs from the client width.
        picPB_.reset(CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 20,
                                     30, kCanvasWidth + 2 * Border(), kCanvasHeight + 2 * Border(),
                                     host_.get(), nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_NE(picPB_, nullptr);
        canvas_ = std::make_unique<GdiProgressCanvas>(picPB_.get());
    }

    void TearDown() override { paintHandler = nullptr; }

    static int Border() { return GetSystemMetrics(SM_CXBORDER); }

    static RECT WindowRectOf(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }

    UniqueWindow host_;
    UniqueWindow picPB_;
    std::unique_ptr<GdiProgressCanvas> canvas_;
};

TEST_F(ProgressBarGdi, CanvasMeasuresTheWindowAndResizesItInPlace) {
    EXPECT_EQ(canvas_->ScaleWidth(), kCanvasWidth);
    EXPECT_EQ(canvas_->ScaleHeight(), kCanvasHeight);
    HDC screen = GetDC(nullptr);
    const double dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_DOUBLE_EQ(canvas_->TwipsPerPixel(), 1440 / dpi);
    const double tpp = canvas_->TwipsPerPixel();
    EXPECT_DOUBLE_EQ(canvas_->OuterWidthTwips(), (kCanvasWidth + 2 * Border()) * tpp);

    // Binding fits the width to whole one-pixel blocks: the window stays as it is.
    const RECT before = WindowRectOf(picPB_.get());
    CProgressBar bar;
    bar.SetCanvas(canvas_.get());
    const RECT bound = WindowRectOf(picPB_.get());
    EXPECT_TRUE(EqualRect(&before, &bound));
    EXPECT_EQ(bar.BlockCount(), kCanvasWidth);

    canvas_->SetOuterWidthTwips(canvas_->OuterWidthTwips() + 30 * tpp);
    const RECT after = WindowRectOf(picPB_.get());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(after.right, before.right + 30);
    EXPECT_EQ(canvas_->ScaleWidth(), kCanvasWidth + 30);
}

TEST_F(ProgressBarGdi, BarDrawnIntoADibShowsItsBoundaryColumn) {
    // Wider than the canvas: nothing may be drawn past the client area.
    DibSurface dib(kCanvasWidth + 10, kCanvasHeight + 4);
    ASSERT_TRUE(dib.Ok());
    CProgressBar bar;
    bar.SetForeColor(kRed);
    bar.SetBackColor(kGreen);
    bar.SetMax(150);
    const CanvasTarget target(*canvas_, dib.dc());
    bar.SetCanvas(canvas_.get());
    EXPECT_EQ(LitColumns(dib, kRed, kGreen), 0);

    bar.SetValue(1);
    EXPECT_EQ(LitColumns(dib, kRed, kGreen), 1);
    EXPECT_EQ(dib.At(0, kCanvasHeight - 1), kRed);
    EXPECT_EQ(dib.At(1, 0), kGreen);

    bar.SetValue(75);
    EXPECT_EQ(LitColumns(dib, kRed, kGreen), 100);
    EXPECT_EQ(dib.At(99, 5), kRed);
    EXPECT_EQ(dib.At(100, 5), kGreen);

    bar.SetValue(150);
    EXPECT_EQ(LitColumns(dib, kRed, kGreen), kCanvasWidth);
    for (int y = 0; y < kCanvasHeight + 4; ++y) {
        EXPECT_EQ(dib.At(kCanvasWidth, y), kUntouched) << "row " << y;
    }
    for (int x = 0; x < kCanvasWidth + 10; ++x) {
        EXPECT_EQ(dib.At(x, kCanvasHeight), kUntouched) << "column " << x;
    }
}

TEST_F(ProgressBarGdi, SystemColoursResolveThroughGetSysColor) {
    EXPECT_EQ(ResolveColor(0x8000000D), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ResolveColor(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ResolveColor(kRed), kRed);
    ASSERT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNFACE));

    DibSurface dib(kCanvasWidth, kCanvasHeight);
    ASSERT_TRUE(dib.Ok());
    CProgressBar bar;  // the default colours are system colours
    const CanvasTarget target(*canvas_, dib.dc());
    bar.SetCanvas(canvas_.get());
    bar.SetValue(40);
    EXPECT_EQ(LitColumns(dib, GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNFACE)), 80);
}

TEST_F(ProgressBarGdi, PainterRedrawsIntoThePaintDcAndLeavesItAsItWas) {
    CProgressBar bar;
    bar.SetForeColor(kRed);
    bar.SetBackColor(kGreen);
    bar.SetCanvas(canvas_.get());
    bar.SetValue(25);

    DibSurface dib(kCanvasWidth, kCanvasHeight);
    ASSERT_TRUE(dib.Ok());
    const COLORREF brushBefore = GetDCBrushColor(dib.dc());
    HGDIOBJ selectedBefore = GetCurrentObject(dib.dc(), OBJ_BRUSH);
    PaintProgressBar(bar, *canvas_, dib.dc());
    EXPECT_EQ(LitColumns(dib, kRed, kGreen), 50);
    EXPECT_EQ(GetDCBrushColor(dib.dc()), brushBefore);
    EXPECT_EQ(GetCurrentObject(dib.dc(), OBJ_BRUSH), selectedBefore);
    EXPECT_EQ(canvas_->Target(), nullptr) << "later drawing goes to the window again";

    // A canvas the bar is not bound to is only given its back colour.
    GdiProgressCanvas other(picPB_.get());
    other.SetBackColor(kRed);
    DibSurface blank(kCanvasWidth, kCanvasHeight);
    ASSERT_TRUE(blank.Ok());
    PaintProgressBar(bar, other, blank.dc());
    EXPECT_EQ(LitColumns(blank, kRed, kRed), kCanvasWidth);
}

TEST_F(ProgressBarGdi, BarSurvivesARepaintOfTheWindow) {
    CProgressBar bar;
    bar.SetForeColor(kRed);
    bar.SetBackColor(kGreen);
    bar.SetMax(150);
    bar.SetCanvas(canvas_.get());
    bar.SetValue(75);
    int paints = 0;
    paintHandler = [&](HWND, HDC dc) {
        ++paints;
        PaintProgressBar(bar, *canvas_, dc);
    };
    ShowWindow(host_.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(host_.get());

    // Paint the window over with something else, then let it repaint itself.
    paints = 0;
    {
        const WindowDc dc(picPB_.get());
        RECT all{0, 0, kCanvasWidth, kCanvasHeight};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    InvalidateRect(picPB_.get(), nullptr, FALSE);
    ASSERT_TRUE(harness::WaitUntil(
        [&] {
            UpdateWindow(picPB_.get());
            return paints > 0;
        },
        kPaintTimeoutMs));

    DibSurface copy(kCanvasWidth, kCanvasHeight);
    ASSERT_TRUE(copy.Ok());
    // Read the window back until its pixels settle, within the bound.
    const bool settled = harness::WaitUntil(
        [&] {
            const WindowDc dc(picPB_.get());
            BitBlt(copy.dc(), 0, 0, kCanvasWidth, kCanvasHeight, dc.get(), 0, 0, SRCCOPY);
            return copy.At(99, 0) == kRed && copy.At(100, 0) == kGreen;
        },
        kPaintTimeoutMs);
    EXPECT_TRUE(settled);
    EXPECT_EQ(LitColumns(copy, kRed, kGreen), 100);
}

}  // namespace
}  // namespace rilto
