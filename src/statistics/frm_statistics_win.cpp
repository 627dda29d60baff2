#include "statistics/frm_statistics_win.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/dialog_win.h"
#include "common/dpi_win.h"
#include "common/resource_ids.h"
#include "common/system_function_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kClassName[] = L"RiltoStatistics";
constexpr wchar_t kWeekLabel[] = L"&7 days";
constexpr wchar_t kMonthLabel[] = L"&30 days";
constexpr wchar_t kCopyLabel[] = L"&Copy";
constexpr wchar_t kCloseLabel[] = L"Close";
constexpr wchar_t kLegendTaken[] = L"Taken";
constexpr wchar_t kLegendSkipped[] = L"Skipped";
constexpr wchar_t kLegendNatural[] = L"Natural";
constexpr wchar_t kLegendExercises[] = L"Exercise breaks";
// What a day label is measured by: the widest the chart writes.
constexpr wchar_t kWidestLabel[] = L"Wed 30";

// Lengths at 96 DPI.
constexpr int kMargin96 = 12;
constexpr int kSpacing96 = 8;
constexpr int kTextGap96 = 4;
constexpr int kButtonWidth96 = 84;
constexpr int kButtonPadding96 = 24;
constexpr int kButtonExtraHeight96 = 10;
constexpr int kRadioBox96 = 24;  // the radio button's circle and its gap
constexpr int kClientWidth96 = 640;
constexpr int kClientHeight96 = 440;
constexpr int kMinClientWidth96 = 400;
constexpr int kMinClientHeight96 = 300;

// The chart's colours when high contrast is off: distinct, and each dark enough for the
// white number of an exercise mark.
constexpr COLORREF kTakenColour = RGB(0x3a, 0x9a, 0x5b);
constexpr COLORREF kSkippedColour = RGB(0xe0, 0x7b, 0x39);
constexpr COLORREF kNaturalColour = RGB(0x4a, 0x86, 0xc8);
constexpr COLORREF kExerciseColour = RGB(0x8e, 0x44, 0xad);
constexpr COLORREF kMarkTextColour = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kGridColour = RGB(0xdd, 0xdd, 0xdd);
constexpr COLORREF kAxisColour = RGB(0x80, 0x80, 0x80);

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
        } else {
            markText = kMarkTextColour;
            taken.reset(CreateSolidBrush(kTakenColour));
            skipped.reset(CreateSolidBrush(kSkippedColour));
            natural.reset(CreateSolidBrush(kNaturalColour));
            exercise.reset(CreateSolidBrush(kExerciseColour));
            grid.reset(CreatePen(PS_SOLID, 1, kGridColour));
            axis.reset(CreatePen(PS_SOLID, 1, kAxisColour));
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
    Text(dc, std::to_wstring(count), disc, DT_CENTER | DT_VCENTER);
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

std::wstring WithoutAccessKey(const wchar_t* label) {
    std::wstring text(label);
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    return text;
}

}  // namespace

FrmStatistics::FrmStatistics(StoreReader readStore, TodayReader today)
    : readStore_(std::move(readStore)), today_(std::move(today)) {}

bool FrmStatistics::Show() {
    if (!IsOpen() && !Create()) {
        return false;
    }
    Refresh();
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

void FrmStatistics::Refresh() {
    stored_ = readStore_ ? readStore_() : std::vector<DayFigures>{};
    todayDate_ = today_ ? today_() : std::string{};
    if (!IsOpen()) {
        return;
    }
    const std::vector<DayFigures> today = LastDays(stored_, todayDate_, 1);
    SetWindowTextTo(GetDlgItem(hwnd(), kStatisticsTodayId),
                    today.empty() ? std::string{} : TodayInWords(today.front()));
    LayOutControls();  // the words may take another line
    InvalidateRect(hwnd(), nullptr, FALSE);
}

bool FrmStatistics::TranslateDialogMessage(MSG* msg) {
    if (!IsOpen() || (msg->hwnd != hwnd() && !IsChild(hwnd(), msg->hwnd))) {
        return false;
    }
    return IsDialogMessageW(hwnd(), msg) != FALSE;
}

bool FrmStatistics::Create() {
    // Shared: the system keeps it, nothing to destroy.
    const auto icon = static_cast<HICON>(
        LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO), IMAGE_ICON, 0, 0, LR_SHARED));
    if (!RegisterWindowClass({kClassName, CS_HREDRAW | CS_VREDRAW,
                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon})) {
        return false;
    }
    const RECT place{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + kClientWidth96,
                     CW_USEDEFAULT + kClientHeight96};
    if (!CreateWindowOf(kClassName, WS_EX_CONTROLPARENT, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        place, nullptr, 0)) {
        return false;
    }
    SetWindowTextW(hwnd(), kStatisticsTitle);
    MakeControls();
    UseDpi(DpiOfWindow(hwnd()));
    const SIZE size =
        WindowSizeFor(ScaledToDpi(kClientWidth96, dpi_), ScaledToDpi(kClientHeight96, dpi_));
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceOnWorkArea(hwnd(), 2);
    ShowSpan(span_);
    return true;
}

void FrmStatistics::MakeControls() {
    struct Control {
        const wchar_t* windowClass;
        const wchar_t* text;
        DWORD style;
        int id;
    };
    const std::array<Control, 5> controls = {{
        {L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kStatisticsTodayId},
        {L"BUTTON", kWeekLabel, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kStatisticsWeekId},
        {L"BUTTON", kMonthLabel, BS_AUTORADIOBUTTON, kStatisticsMonthId},
        {L"BUTTON", kCopyLabel, BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, kStatisticsCopyId},
        {L"BUTTON", kCloseLabel, BS_PUSHBUTTON | WS_TABSTOP, kStatisticsCloseId},
    }};
    for (const Control& c : controls) {
        CreateWindowExW(0, c.windowClass, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0,
                        hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), ThisModule(),
                        nullptr);
    }
}

void FrmStatistics::UseDpi(UINT dpi) {
    dpi_ = dpi;
    const LOGFONTW logFont = MessageFontAt(dpi);
    UniqueGdi<HFONT> font(CreateFontIndirectW(&logFont));
    if (font == nullptr) {
        TraceLastError("cannot make the Statistics window's font");
        return;
    }
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    font_ = std::move(font);  // the old one only now, when no control uses it

    const WindowDc dc(hwnd());
    const SelectedObject selected(dc.get(), font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const int widest = TextWidth(kWidestLabel);
    const int widestChars = static_cast<int>(std::size(kWidestLabel) - 1);
    text_.lineHeight = metrics.tmHeight;
    text_.charWidth =
        std::max<int>(metrics.tmAveCharWidth, (widest + widestChars - 1) / widestChars);
    text_.gap = ScaledToDpi(kTextGap96, dpi);
}

int FrmStatistics::TextWidth(const wchar_t* text) const {
    const WindowDc dc(hwnd());
    const SelectedObject selected(dc.get(), font_.get());
    SIZE extent{};
    const std::wstring plain = WithoutAccessKey(text);
    GetTextExtentPoint32W(dc.get(), plain.c_str(), static_cast<int>(plain.size()), &extent);
    return extent.cx;
}

SIZE FrmStatistics::WindowSizeFor(int clientWidth, int clientHeight) const {
    using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust =
        User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE));
    if (adjust == nullptr || !adjust(&r, style, FALSE, exStyle, dpi_)) {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void FrmStatistics::LayOutControls() {
    if (!IsOpen() || font_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int margin = ScaledToDpi(kMargin96, dpi_);
    const int spacing = ScaledToDpi(kSpacing96, dpi_);
    const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const auto place = [&](int id, int x, int y, int w, int h) {
        SetWindowPos(GetDlgItem(hwnd(), id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };

    // Today's words, on as many lines as they take at this width.
    const HWND todayLabel = GetDlgItem(hwnd(), kStatisticsTodayId);
    const std::wstring words = Widen(WindowText(todayLabel));
    RECT measured{0, 0, width, 0};
    {
        const WindowDc dc(hwnd());
        const SelectedObject selected(dc.get(), font_.get());
        DrawTextW(dc.get(), words.c_str(), static_cast<int>(words.size()), &measured,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int wordsHeight = std::max<int>(text_.lineHeight, measured.bottom - measured.top);
    int y = margin;
    place(kStatisticsTodayId, margin, y, width, wordsHeight);
    y += wordsHeight + spacing;

    const int radioHeight = text_.lineHeight + ScaledToDpi(kButtonExtraHeight96 / 2, dpi_);
    const int radioBox = ScaledToDpi(kRadioBox96, dpi_);
    const int weekWidth = TextWidth(kWeekLabel) + radioBox;
    const int monthWidth = TextWidth(kMonthLabel) + radioBox;
    place(kStatisticsWeekId, margin, y, weekWidth, radioHeight);
    place(kStatisticsMonthId, margin + weekWidth + spacing, y, monthWidth, radioHeight);
    y += radioHeight + spacing;

    // The buttons at the bottom right, the legend above them, the chart between.
    const int buttonHeight = text_.lineHeight + ScaledToDpi(kButtonExtraHeight96, dpi_);
    const int padding = ScaledToDpi(kButtonPadding96, dpi_);
    const int closeWidth =
        std::max(ScaledToDpi(kButtonWidth96, dpi_), TextWidth(kCloseLabel) + padding);
    const int copyWidth =
        std::max(ScaledToDpi(kButtonWidth96, dpi_), TextWidth(kCopyLabel) + padding);
    const int buttonTop = client.bottom - margin - buttonHeight;
    const int closeLeft = client.right - margin - closeWidth;
    place(kStatisticsCloseId, closeLeft, buttonTop, closeWidth, buttonHeight);
    place(kStatisticsCopyId, closeLeft - spacing - copyWidth, buttonTop, copyWidth, buttonHeight);

    const int legendTop = buttonTop - spacing - text_.lineHeight;
    legendArea_ = RECT{margin, legendTop, margin + width, legendTop + text_.lineHeight};
    chartArea_ = RECT{margin, y, margin + width, std::max(y, legendTop - spacing)};
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FrmStatistics::ShowSpan(int span) {
    span_ = span;
    CheckRadioButton(hwnd(), kStatisticsWeekId, kStatisticsMonthId,
                     span == kMonthSpan ? kStatisticsMonthId : kStatisticsWeekId);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void FrmStatistics::CopyEveryDay() const {
    // What the store holds now, not what the chart was drawn from.
    const std::vector<DayFigures> every = readStore_ ? readStore_() : std::vector<DayFigures>{};
    PutOnClipboard(hwnd(), Widen(StatisticsCsv(every)));
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

void FrmStatistics::Paint(HDC dc, const RECT& client) const {
    const Palette palette;
    FillRect(dc, &client, palette.backgroundBrush.get());
    const SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette.text);

    const ChartLayout chart =
        LayOutChart(LastDays(stored_, todayDate_, span_),
                    {chartArea_.left, chartArea_.top, chartArea_.right, chartArea_.bottom}, text_);
    const int half = text_.lineHeight / 2;
    for (const ChartGridLine& line : chart.grid) {
        {
            const SelectedObject pen(dc, line.value == 0 ? palette.axis.get() : palette.grid.get());
            Line(dc, chart.plot.left, line.y, chart.plot.right, line.y);
        }
        Text(dc, std::to_wstring(line.value),
             RECT{chartArea_.left, line.y - half, chart.scaleLabelRight,
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

    // The legend: a swatch and its name for each segment, and the exercise mark.
    const int swatch = text_.lineHeight * 2 / 3;
    const int swatchTop = legendArea_.top + (text_.lineHeight - swatch) / 2;
    int x = chart.plot.left;
    for (const auto& [name, brush] : {std::pair{kLegendTaken, palette.taken.get()},
                                      std::pair{kLegendSkipped, palette.skipped.get()},
                                      std::pair{kLegendNatural, palette.natural.get()}}) {
        Block(dc, palette, brush, RECT{x, swatchTop, x + swatch, swatchTop + swatch});
        x += swatch + text_.gap;
        Text(dc, name, RECT{x, legendArea_.top, legendArea_.right, legendArea_.bottom}, DT_LEFT);
        x += TextWidth(name) + 3 * text_.gap;
    }
    {
        const SelectedObject brush(dc, palette.exercise.get());
        const SelectedObject pen(dc, palette.outlined ? static_cast<HGDIOBJ>(palette.outline.get())
                                                      : GetStockObject(NULL_PEN));
        Ellipse(dc, x, swatchTop, x + swatch + 1, swatchTop + swatch + 1);
    }
    x += swatch + text_.gap;
    Text(dc, kLegendExercises, RECT{x, legendArea_.top, legendArea_.right, legendArea_.bottom},
         DT_LEFT);
}

LRESULT FrmStatistics::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_CLOSE:
            Destroy();
            return 0;
        case WM_SIZE:
            LayOutControls();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills it all
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd(), &ps);
            RECT client{};
            GetClientRect(hwnd(), &client);
            // Drawn off screen first, so that a resize does not flicker.
            const UniqueDc memory(CreateCompatibleDC(dc));
            const UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(
                dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)));
            if (memory != nullptr && bitmap != nullptr) {
                const SelectedObject target(memory.get(), bitmap.get());
                Paint(memory.get(), client);
                BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
            } else {
                Paint(dc, client);
            }
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        case WM_GETMINMAXINFO: {
            if (font_ != nullptr) {
                const SIZE least = WindowSizeFor(ScaledToDpi(kMinClientWidth96, dpi_),
                                                 ScaledToDpi(kMinClientHeight96, dpi_));
                auto* info = reinterpret_cast<MINMAXINFO*>(lp);
                info->ptMinTrackSize = POINT{least.cx, least.cy};
            }
            return 0;
        }
        case WM_DPICHANGED: {
            UseDpi(HIWORD(wp));
            const auto* suggested = reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            LayOutControls();
            return 0;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            InvalidateRect(hwnd(), nullptr, TRUE);
            return Default(msg, wp, lp);
        default:
            return Default(msg, wp, lp);
    }
}

}  // namespace rilto
