#include "statistics/frm_statistics_win.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/day_figures.h"
#include "common/dpi_win.h"
#include "common/handles_win.h"
#include "common/resource_ids.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"

namespace rilto {

namespace {

constexpr wchar_t kLegendTaken[] = L"Taken";
constexpr wchar_t kLegendSkipped[] = L"Skipped";
constexpr wchar_t kLegendNatural[] = L"Natural";
constexpr wchar_t kLegendExercises[] = L"Exercise breaks";
constexpr wchar_t kLegendActive[] = L"Active time";
constexpr char kLegendLimit[] = "Daily limit ";
// What a day label is measured by: the widest the chart writes.
constexpr wchar_t kWidestLabel[] = L"Wed 30";

// In dialog units: the least client area the user may size the window to, the room
// between the chart and its legend, and between a text and what it labels.
constexpr int kLeastWidthUnits = 267;
constexpr int kLeastHeightUnits = 185;
constexpr int kLegendGapUnits = 5;
constexpr int kTextGapUnits = 3;

// The chart's colours when high contrast is off: distinct, and each dark enough for the
// white number of an exercise mark.
constexpr COLORREF kTakenColour = RGB(0x3a, 0x9a, 0x5b);
constexpr COLORREF kSkippedColour = RGB(0xe0, 0x7b, 0x39);
constexpr COLORREF kNaturalColour = RGB(0x4a, 0x86, 0xc8);
constexpr COLORREF kExerciseColour = RGB(0x8e, 0x44, 0xad);
constexpr COLORREF kMarkTextColour = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kGridColour = RGB(0xdd, 0xdd, 0xdd);
constexpr COLORREF kAxisColour = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kActiveColour = RGB(0x20, 0x20, 0x20);
constexpr COLORREF kLimitColour = RGB(0xc0, 0x20, 0x20);

bool HighContrast() {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The brushes and pens of one drawing. With high contrast only the system's colours,
// the segments told apart by a hatch and outlines as well.
struct Palette {
    bool outlined = false;
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF markText = 0;
    UniqueGdi<HBRUSH> taken;
    UniqueGdi<HBRUSH> skipped;
    UniqueGdi<HBRUSH> natural;
    UniqueGdi<HBRUSH> exercise;
    UniqueGdi<HBRUSH> backgroundBrush;
    UniqueGdi<HPEN> grid;
    UniqueGdi<HPEN> axis;
    UniqueGdi<HPEN> outline;
    // A day's active time, and the daily limit across the chart.
    UniqueGdi<HPEN> active;
    UniqueGdi<HPEN> limit;
    COLORREF limitText = 0;

    Palette() {
        text = GetSysColor(COLOR_WINDOWTEXT);
        background = GetSysColor(COLOR_WINDOW);
        backgroundBrush.reset(CreateSolidBrush(background));
        outline.reset(CreatePen(PS_SOLID, 1, text));
        if (HighContrast()) {
            outlined = true;
            markText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            taken.reset(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
            skipped.reset(CreateHatchBrush(HS_BDIAGONAL, text));
            natural.reset(CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT)));
            exercise.reset(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
            grid.reset(CreatePen(PS_DOT, 1, GetSysColor(COLOR_GRAYTEXT)));
            axis.reset(CreatePen(PS_SOLID, 1, text));
            active.reset(CreatePen(PS_SOLID, 3, text));
            limit.reset(CreatePen(PS_DASH, 1, text));
            limitText = text;
        } else {
            markText = kMarkTextColour;
            taken.reset(CreateSolidBrush(kTakenColour));
            skipped.reset(CreateSolidBrush(kSkippedColour));
            natural.reset(CreateSolidBrush(kNaturalColour));
            exercise.reset(CreateSolidBrush(kExerciseColour));
            grid.reset(CreatePen(PS_SOLID, 1, kGridColour));
            axis.reset(CreatePen(PS_SOLID, 1, kAxisColour));
            active.reset(CreatePen(PS_SOLID, 3, kActiveColour));
            limit.reset(CreatePen(PS_DASH, 1, kLimitColour));
            limitText = kLimitColour;
        }
    }
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// A rectangle filled with `brush`, outlined when the palette asks for it.
void Block(HDC dc, const Palette& palette, HBRUSH brush, RECT r) {
    if (r.bottom <= r.top || r.right <= r.left) {
        return;
    }
    FillRect(dc, &r, brush);
    if (palette.outlined) {
        const SelectedObject pen(dc, palette.outline.get());
        const SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
}

void Text(HDC dc, const std::wstring& text, RECT r, UINT format) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              format | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

// An exercise mark: a disc of `diameter` centred at `x`, its bottom at `bottom`, with
// the count in it.
void Mark(HDC dc, const Palette& palette, int x, int bottom, int diameter, int count) {
    const RECT disc{x - diameter / 2, bottom - diameter, x - diameter / 2 + diameter, bottom};
    {
        const SelectedObject brush(dc, palette.exercise.get());
        const SelectedObject pen(dc, palette.outlined ? static_cast<HGDIOBJ>(palette.outline.get())
                                                      : GetStockObject(NULL_PEN));
        Ellipse(dc, disc.left, disc.top, disc.right + 1, disc.bottom + 1);
    }
    SetTextColor(dc, palette.markText);
    Text(dc, Widen(std::to_string(count)), disc, DT_CENTER | DT_VCENTER);
    SetTextColor(dc, palette.text);
}

// Text for the clipboard, which then owns it.
bool PutOnClipboard(HWND owner, const std::wstring& text) {
    struct GlobalFreer {
        void operator()(void* memory) const { GlobalFree(memory); }
    };
    struct ClipboardCloser {
        ~ClipboardCloser() { CloseClipboard(); }
    };
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    std::unique_ptr<void, GlobalFreer> memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (memory == nullptr) {
        return false;
    }
    void* locked = GlobalLock(memory.get());
    if (locked == nullptr) {
        return false;
    }
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    if (!OpenClipboard(owner)) {
        TraceLastError("cannot open the clipboard");
        return false;
    }
    const ClipboardCloser closer;
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        TraceLastError("cannot put the statistics on the clipboard");
        return false;
    }
    memory.release();  // the clipboard's now
    return true;
}

int TextWidth(HDC dc, const wchar_t* text) {
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &extent);
    return extent.cx;
}

// A control's place in its dialog's client area.
RECT PlaceInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveBy(HWND control, int down) {
    const RECT r = PlaceInParent(control);
    SetWindowPos(control, nullptr, r.left, r.top + down, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// No larger than the primary monitor's work area, where the window opens: at a large DPI
// on a small screen the template's size would reach past it. The least size still holds.
void KeepWithinWorkArea(HWND window) {
    const RECT work = PrimaryWorkArea();
    const SIZE size = FrameSize(window);
    const LONG roomAcross = work.right - work.left;
    const LONG roomDown = work.bottom - work.top;
    if (size.cx > roomAcross || size.cy > roomDown) {
        SetWindowPos(window, nullptr, 0, 0, std::min(size.cx, roomAcross),
                     std::min(size.cy, roomDown), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Each day's active time as a bar across its bar, the limit as a dashed line across the
// plot, and the active scale's numbers on the right.
void PaintLimit(HDC dc, const Palette& palette, const ChartLayout& chart, const RECT& chartArea,
                const ChartText& text) {
    const ChartLimit& limit = *chart.limit;
    const int half = text.lineHeight / 2;
    for (const ChartGridLine& line : limit.scale) {
        Text(dc, Widen(ActiveScaleLabel(line.value)),
             RECT{limit.scaleLabelLeft, line.y - half, chartArea.right,
                  line.y - half + text.lineHeight},
             DT_LEFT | DT_VCENTER);
    }
    {
        const SelectedObject pen(dc, palette.active.get());
        for (const ChartBar& bar : chart.bars) {
            if (bar.day[DayCount::activeMinutes] > 0) {
                Line(dc, bar.x - 1, bar.activeY, bar.x + bar.width + 1, bar.activeY);
            }
        }
    }
    const SelectedObject pen(dc, palette.limit.get());
    Line(dc, chart.plot.left, limit.y, chart.plot.right, limit.y);
}

}  // namespace

FrmStatistics::FrmStatistics(StoreReader readStore, TodayReader today, LimitReader limit)
    : Dialog(IDD_STATISTICS, DialogFont::Message),
      readStore_(std::move(readStore)),
      today_(std::move(today)),
      limit_(std::move(limit)) {}

bool FrmStatistics::Show() {
    if (!IsOpen()) {
        if (!CreateModeless(nullptr)) {
            return false;
        }
        // In the middle of the primary monitor's work area, laid out for that monitor's
        // DPI, which may not be the DPI of where the window was made.
        PlaceOnWorkArea(hwnd(), 2);
        if (const UINT dpi = DpiOfWindow(hwnd()); dpi != dpi_) {
            LayOut(dpi, Sizing::Template);
        }
        KeepWithinWorkArea(hwnd());
        PlaceOnWorkArea(hwnd(), 2);
    }
    Refresh();
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

void FrmStatistics::Refresh() {
    stored_ = readStore_ ? readStore_() : std::vector<DayFigures>{};
    todayDate_ = today_ ? today_() : std::string{};
    limitMinutes_ = limit_ ? limit_() : std::nullopt;
    if (!IsOpen()) {
        return;
    }
    const std::vector<DayFigures> today = LastDays(stored_, todayDate_, 1);
    SetWindowTextTo(Item(kStatisticsTodayId),
                    today.empty() ? std::string{} : TodayInWords(today.front()));
    FitTodayWords();  // the words may take another line
    InvalidateRect(Item(IDC_STATISTICS_CHART), nullptr, FALSE);
}

void FrmStatistics::OnInitDialog() {
    // The program's icon in the caption and the taskbar. Shared: the system keeps it,
    // nothing to destroy.
    for (const auto& [kind, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        const auto icon = static_cast<HICON>(LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO),
                                                        IMAGE_ICON, size, size, LR_SHARED));
        SendMessageW(hwnd(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
    Anchor(kStatisticsTodayId, kAnchorLeftTop | kAnchorRight);
    Anchor(IDC_STATISTICS_CHART, kAnchorLeftTop | kAnchorRight | kAnchorBottom);
    Anchor(kStatisticsCopyId, kAnchorRight | kAnchorBottom);
    Anchor(kStatisticsCloseId, kAnchorRight | kAnchorBottom);
    LayOut(DpiOfWindow(hwnd()), Sizing::Template);
    ShowSpan(span_);
}

void FrmStatistics::LaidOut(UINT dpi) {
    dpi_ = dpi;
    MeasureText();
    FitTodayWords();
    // Drawn anew at its new size, not only where it grew.
    InvalidateRect(Item(IDC_STATISTICS_CHART), nullptr, FALSE);
}

void FrmStatistics::MeasureText() {
    const HWND chart = Item(IDC_STATISTICS_CHART);
    const WindowDc dc(chart);
    const SelectedObject selected(dc.get(),
                                  reinterpret_cast<HGDIOBJ>(SendMessageW(chart, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const int widest = TextWidth(dc.get(), kWidestLabel);
    const int widestChars = static_cast<int>(std::size(kWidestLabel) - 1);
    text_.lineHeight = metrics.tmHeight;
    text_.charWidth =
        std::max<int>(metrics.tmAveCharWidth, (widest + widestChars - 1) / widestChars);
    text_.gap = PixelsAcross(kTextGapUnits);
}

void FrmStatistics::FitTodayWords() {
    const HWND label = Item(kStatisticsTodayId);
    const RECT place = PlaceInParent(label);
    const std::wstring words = Widen(WindowText(label));
    RECT measured{0, 0, place.right - place.left, 0};
    {
        const WindowDc dc(label);
        const SelectedObject selected(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), words.c_str(), static_cast<int>(words.size()), &measured,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int height = std::max<int>(text_.lineHeight, measured.bottom - measured.top);
    const int shift = height - static_cast<int>(place.bottom - place.top);
    if (shift == 0) {
        return;
    }
    SetWindowPos(label, nullptr, 0, 0, place.right - place.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveBy(Item(kStatisticsWeekId), shift);
    MoveBy(Item(kStatisticsMonthId), shift);
    const HWND chart = Item(IDC_STATISTICS_CHART);
    const RECT area = PlaceInParent(chart);
    SetWindowPos(chart, nullptr, area.left, area.top + shift, area.right - area.left,
                 std::max(0, static_cast<int>(area.bottom - area.top) - shift),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmStatistics::ShowSpan(int span) {
    span_ = span;
    CheckRadioButton(hwnd(), kStatisticsWeekId, kStatisticsMonthId,
                     span == kMonthSpan ? kStatisticsMonthId : kStatisticsWeekId);
    InvalidateRect(Item(IDC_STATISTICS_CHART), nullptr, FALSE);
}

void FrmStatistics::CopyEveryDay() const {
    // What the store holds now, not what the chart was drawn from.
    const std::vector<DayFigures> every = readStore_ ? readStore_() : std::vector<DayFigures>{};
    PutOnClipboard(hwnd(), Widen(CopiedDays(every, today_ ? today_() : std::string{})));
}

void FrmStatistics::OnCommand(int id, int code) {
    switch (id) {
        case kStatisticsWeekId:
        case kStatisticsMonthId:
            if (code == BN_CLICKED) {
                ShowSpan(id == kStatisticsMonthId ? kMonthSpan : kWeekSpan);
            }
            break;
        case kStatisticsCopyId:
            CopyEveryDay();
            break;
        case kStatisticsCloseId:
            Destroy();
            break;
        default:
            break;
    }
}

void FrmStatistics::DrawChart(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    const int width = std::max<int>(1, area.right - area.left);
    const int height = std::max<int>(1, area.bottom - area.top);
    // Drawn off screen first, so that a resize does not flicker.
    const UniqueDc memory(CreateCompatibleDC(item.hDC));
    const UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    if (memory == nullptr || bitmap == nullptr) {
        Paint(item.hDC, area);
        return;
    }
    const SelectedObject target(memory.get(), bitmap.get());
    SetWindowOrgEx(memory.get(), area.left, area.top, nullptr);
    Paint(memory.get(), area);
    SetWindowOrgEx(memory.get(), 0, 0, nullptr);
    BitBlt(item.hDC, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

void FrmStatistics::Paint(HDC dc, const RECT& area) const {
    const Palette palette;
    FillRect(dc, &area, palette.backgroundBrush.get());
    const SelectedObject font(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageW(Item(IDC_STATISTICS_CHART), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette.text);

    // The legend on the bottom line, the chart above it.
    const RECT legendArea{area.left, area.bottom - text_.lineHeight, area.right, area.bottom};
    const RECT chartArea{area.left, area.top, area.right,
                         std::max<LONG>(area.top, legendArea.top - PixelsDown(kLegendGapUnits))};
    const ChartLayout chart = LayOutChart(
        LastDays(stored_, todayDate_, span_),
        {chartArea.left, chartArea.top, chartArea.right, chartArea.bottom}, text_, limitMinutes_);
    const int half = text_.lineHeight / 2;
    for (const ChartGridLine& line : chart.grid) {
        {
            const SelectedObject pen(dc, line.value == 0 ? palette.axis.get() : palette.grid.get());
            Line(dc, chart.plot.left, line.y, chart.plot.right, line.y);
        }
        Text(dc, Widen(std::to_string(line.value)),
             RECT{chartArea.left, line.y - half, chart.scaleLabelRight,
                  line.y - half + text_.lineHeight},
             DT_RIGHT | DT_VCENTER);
    }
    const int markSize = text_.lineHeight;
    for (const ChartBar& bar : chart.bars) {
        int bottom = chart.plot.bottom;
        for (const auto& [height, brush] : {std::pair{bar.taken, palette.taken.get()},
                                            std::pair{bar.skipped, palette.skipped.get()},
                                            std::pair{bar.natural, palette.natural.get()}}) {
            Block(dc, palette, brush, RECT{bar.x, bottom - height, bar.x + bar.width, bottom});
            bottom -= height;
        }
        const int centre = bar.x + bar.width / 2;
        if (bar.marked) {
            Mark(dc, palette, centre, bar.top - text_.gap / 2, markSize, bar.exercises);
        }
        if (bar.labelShown) {
            const std::wstring label = Widen(bar.label);
            Text(dc, label,
                 RECT{centre - text_.lineHeight, chart.labelTop, centre + text_.lineHeight,
                      chart.labelTop + text_.lineHeight},
                 DT_CENTER | DT_TOP);
        }
    }

    if (chart.limit) {
        PaintLimit(dc, palette, chart, chartArea, text_);
    }

    // The legend: a swatch and its name for each segment, and the exercise mark.
    const int swatch = text_.lineHeight * 2 / 3;
    const int swatchTop = legendArea.top + (text_.lineHeight - swatch) / 2;
    int x = chart.plot.left;
    for (const auto& [name, brush] : {std::pair{kLegendTaken, palette.taken.get()},
                                      std::pair{kLegendSkipped, palette.skipped.get()},
                                      std::pair{kLegendNatural, palette.natural.get()}}) {
        Block(dc, palette, brush, RECT{x, swatchTop, x + swatch, swatchTop + swatch});
        x += swatch + text_.gap;
        Text(dc, name, RECT{x, legendArea.top, legendArea.right, legendArea.bottom}, DT_LEFT);
        x += TextWidth(dc, name) + 3 * text_.gap;
    }
    {
        const SelectedObject brush(dc, palette.exercise.get());
        const SelectedObject pen(dc, palette.outlined ? static_cast<HGDIOBJ>(palette.outline.get())
                                                      : GetStockObject(NULL_PEN));
        Ellipse(dc, x, swatchTop, x + swatch + 1, swatchTop + swatch + 1);
    }
    x += swatch + text_.gap;
    Text(dc, kLegendExercises, RECT{x, legendArea.top, legendArea.right, legendArea.bottom},
         DT_LEFT);
    if (!chart.limit) {
        return;
    }
    x += TextWidth(dc, kLegendExercises) + 3 * text_.gap;
    const int middle = legendArea.top + text_.lineHeight / 2;
    const std::wstring limitName = Widen(kLegendLimit + ActiveScaleLabel(chart.limit->minutes));
    for (const auto& [name, pen] : {std::pair{kLegendActive, palette.active.get()},
                                    std::pair{limitName.c_str(), palette.limit.get()}}) {
        {
            const SelectedObject selected(dc, pen);
            Line(dc, x, middle, x + swatch + text_.gap, middle);
        }
        x += swatch + 2 * text_.gap;
        Text(dc, name, RECT{x, legendArea.top, legendArea.right, legendArea.bottom}, DT_LEFT);
        x += TextWidth(dc, name) + 3 * text_.gap;
    }
}

INT_PTR FrmStatistics::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;  // the focus to the first control that takes it
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return TRUE;
        case WM_CLOSE:
            Destroy();
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item->CtlID != IDC_STATISTICS_CHART) {
                return FALSE;
            }
            DrawChart(*item);
            return TRUE;
        }
        // Text on the window's colour, as in a document rather than a dialog.
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        case WM_GETMINMAXINFO: {
            if (dpi_ == 0) {
                return FALSE;
            }
            const SIZE least = WindowSizeForUnits(kLeastWidthUnits, kLeastHeightUnits);
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = POINT{least.cx, least.cy};
            return Answer(0);
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            InvalidateRect(hwnd(), nullptr, TRUE);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace rilto
