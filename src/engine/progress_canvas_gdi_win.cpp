#include "engine/progress_canvas_gdi_win.h"

#include <algorithm>
#include <cmath>

#include "engine/progress_bar.h"
#include "common/handles_win.h"

namespace rilto {

namespace {

constexpr OleColor kSystemColorFlag = 0x80000000;
constexpr OleColor kSystemColorIndex = 0x000000FF;
constexpr OleColor kRgbBits = 0x00FFFFFF;
constexpr double kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;
// Windows larger than this are not asked for, whatever width the bar computes.
constexpr int kMaxWindowPixels = 1 << 20;

int Width(const RECT& r) {
    return r.right - r.left;
}

}  // namespace

COLORREF ResolveColor(OleColor c) {
    if ((c & kSystemColorFlag) != 0) {
        return GetSysColor(static_cast<int>(c & kSystemColorIndex));
    }
    return c & kRgbBits;
}

RECT GdiProgressCanvas::Client() const {
    RECT r{};
    if (!GetClientRect(window_, &r)) {
        return RECT{};
    }
    return r;
}

double GdiProgressCanvas::ScaleWidth() const {
    return Client().right;
}

double GdiProgressCanvas::ScaleHeight() const {
    return Client().bottom;
}

double GdiProgressCanvas::TwipsPerPixel() const {
    const WindowDc dc(window_);
    const int dpi = dc.get() != nullptr ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 0;
    return kTwipsPerInch / (dpi > 0 ? dpi : kDefaultDpi);
}

double GdiProgressCanvas::OuterWidthTwips() const {
    RECT r{};
    if (!GetWindowRect(window_, &r)) {
        return 0;
    }
    return Width(r) * TwipsPerPixel();
}

void GdiProgressCanvas::SetOuterWidthTwips(double twips) {
    const double pixels = std::nearbyint(twips / TwipsPerPixel());
    RECT r{};
    if (!std::isfinite(pixels) || !GetWindowRect(window_, &r)) {
        return;
    }
    const int width = static_cast<int>(std::clamp(pixels, 0.0, double{kMaxWindowPixels}));
    SetWindowPos(window_, nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GdiProgressCanvas::Clear() {
    Fill(Client(), backColor_);
}

void GdiProgressCanvas::FillRect(int x1, int y1, int x2, int y2) {
    // Corners are inclusive; GDI leaves out the right and bottom edges.
    const RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    Fill(r, foreColor_);
}

void GdiProgressCanvas::Fill(RECT r, OleColor c) {
    const RECT client = Client();
    if (!IntersectRect(&r, &r, &client)) {
        return;
    }
    // The DC's own brush: no GDI object is made, so none can leak. Its colour is put
    // back, as the DC may be a paint DC or a caller's.
    auto fill = [&](HDC dc) {
        const COLORREF old = SetDCBrushColor(dc, ResolveColor(c));
        ::FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
    };
    if (target_ != nullptr) {
        fill(target_);
        return;
    }
    const WindowDc dc(window_);
    if (dc.get() != nullptr) {
        fill(dc.get());
    }
}

void PaintProgressBar(CProgressBar& bar, GdiProgressCanvas& canvas, HDC dc) {
    const CanvasTarget target(canvas, dc);
    if (bar.Canvas() == &canvas) {
        bar.Refresh(true);
    } else {
        canvas.Clear();
    }
}

}  // namespace rilto
