#include "support/layout_check.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

#include "common/dpi_win.h"
#include "common/handles_win.h"
#include "common/wide_text_win.h"
#include "support/harness.h"

namespace harness {

namespace {

// What a control keeps around its text, at 96 DPI: a push button's frame, a check box's
// box and the gap after it, a group box's frame either side of its title.
constexpr int kButtonFrame96 = 3;
constexpr int kCheckBox96 = 13;
constexpr int kCheckGap96 = 3;
constexpr int kGroupFrame96 = 8;
// A list's column keeps this much either side of its text.
constexpr int kColumnPadding96 = 6;
// The background for a control that does not erase its own: a colour no control uses.
constexpr std::uint32_t kUnpainted = 0x00FF00FF;

std::string Describe(HWND control) {
    std::ostringstream out;
    out << rilto::Narrow(ClassOf(control)) << " " << GetDlgCtrlID(control) << " \""
        << rilto::Narrow(TextOf(control)) << "\"";
    return out.str();
}

std::string Box(const RECT& r) {
    std::ostringstream out;
    out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return out.str();
}

// The control's text as its own font draws it: on one line, or wrapped at `width`.
SIZE TextExtent(HWND control, const std::wstring& text, UINT format, int width) {
    const rilto::WindowDc dc(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(
        dc.get(), font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    RECT r{0, 0, width, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | format);
    SelectObject(dc.get(), old);
    return SIZE{r.right, r.bottom};
}

RECT PlaceInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// How a control's text is checked.
struct TextRoom {
    bool checked = false;  // a control whose text this knows how to measure
    UINT format = DT_SINGLELINE;
    int left = 0;          // what is not the text's, across
    int top = 0;           // and down
    bool ink = false;      // its ink can be looked at
    bool centred = false;  // its text sits in the middle, up and down
    bool wraps = false;    // it wraps at its width (so given more room, only downwards)
};

TextRoom RoomOf(HWND control) {
    const std::wstring cls = ClassOf(control);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const UINT dpi = rilto::DpiOfWindow(control);
    const auto scaled = [dpi](int length96) { return rilto::ScaledToDpi(length96, dpi); };
    TextRoom room;
    if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        const LONG_PTR type = style & SS_TYPEMASK;
        const bool text = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                          type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
        // An ellipsis means the control shortens its text on purpose.
        room.checked = text && (style & SS_ELLIPSISMASK) == 0;
        room.wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        room.format = (room.wraps ? DT_WORDBREAK : DT_SINGLELINE) |
                      ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0);
        room.centred = (style & SS_CENTERIMAGE) != 0;
        room.ink = type == SS_LEFT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
    } else if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        const LONG_PTR type = style & BS_TYPEMASK;
        room.format = (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
        room.wraps = (style & BS_MULTILINE) != 0;
        room.centred = true;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            room.checked = (style & (BS_BITMAP | BS_ICON)) == 0;
            room.left = 2 * scaled(kButtonFrame96);
            room.top = 2 * scaled(kButtonFrame96);
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
            room.checked = true;
            room.left = scaled(kCheckBox96) + scaled(kCheckGap96);
            room.ink = (style & BS_RIGHTBUTTON) == 0 && (style & BS_CENTER) != BS_CENTER &&
                       (style & BS_CENTER) != BS_RIGHT;
        } else if (type == BS_GROUPBOX) {
            room.checked = true;
            room.left = 2 * scaled(kGroupFrame96);
            room.centred = false;
        }
    } else if (_wcsicmp(cls.c_str(), L"Edit") == 0) {
        // One line: a number, or a text the window was given (the user may type more, which
        // scrolls).
        room.checked = (style & ES_MULTILINE) == 0;
        const LRESULT margins = SendMessageW(control, EM_GETMARGINS, 0, 0);
        room.left = LOWORD(margins) + HIWORD(margins) + 1;
    } else if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
        room.checked = true;
        room.left = GetSystemMetrics(SM_CXVSCROLL) + 2 * scaled(kButtonFrame96);
    }
    return room;
}

// The control given more room: half as much again across (unless it wraps) and down,
// then as it was.
class Grown {
  public:
    Grown(HWND control, bool wraps) : control_(control), place_(PlaceInParent(control)) {
        const int w = place_.right - place_.left;
        const int h = place_.bottom - place_.top;
        SetWindowPos(control, nullptr, 0, 0, wraps ? w : w + w / 2, h + h / 2,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    ~Grown() {
        SetWindowPos(control_, nullptr, 0, 0, place_.right - place_.left,
                     place_.bottom - place_.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        InvalidateRect(control_, nullptr, TRUE);
    }
    Grown(const Grown&) = delete;
    Grown& operator=(const Grown&) = delete;

  private:
    HWND control_;
    RECT place_;
};

void CheckText(HWND control, std::vector<std::string>& faults) {
    const TextRoom room = RoomOf(control);
    const std::wstring text = TextOf(control);
    if (!room.checked || text.empty()) {
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    const int across = client.right - room.left;
    const SIZE needs = TextExtent(control, text, room.format, std::max(across, 1));
    if (needs.cx > across || needs.cy > client.bottom - room.top) {
        std::ostringstream out;
        out << Describe(control) << ": its text needs " << needs.cx << "x" << needs.cy
            << " besides " << room.left << "x" << room.top << ", it has " << client.right << "x"
            << client.bottom;
        faults.push_back(out.str());
    }
    if (!room.ink) {
        return;
    }
    RECT ink{};
    {
        const Grown grown(control, room.wraps);
        ink = InkOf(control);
    }
    if (ink.right <= ink.left) {
        faults.push_back(Describe(control) + ": paints no text");
        return;
    }
    const bool downTooFar =
        room.centred ? ink.bottom - ink.top > client.bottom : ink.bottom > client.bottom;
    if (ink.right > client.right || downTooFar) {
        faults.push_back(Describe(control) + ": given more room its text reaches " + Box(ink) +
                         ", beyond its " + Box(client));
    }
}

// Every column of a report list is as wide as its heading and its texts, with the
// list's own padding, and the small icon in the first.
void CheckColumns(HWND list, std::vector<std::string>& faults) {
    if ((GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) {
        return;
    }
    const UINT dpi = rilto::DpiOfWindow(list);
    const int padding = 2 * rilto::ScaledToDpi(kColumnPadding96, dpi);
    const auto width = [&](const wchar_t* text) {
        return static_cast<int>(
            SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    };
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c) {
        wchar_t text[256] = L"";
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 256;
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
        const int has =
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
        int needs = width(text) + padding;
        for (int row = 0; row < rows; ++row) {
            wchar_t item[256] = L"";
            LVITEMW get{};
            get.iSubItem = c;
            get.pszText = item;
            get.cchTextMax = 256;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&get));
            const int icon = c == 0 ? GetSystemMetrics(SM_CXSMICON) : 0;
            needs = std::max(needs, width(item) + icon + padding);
        }
        if (needs > has) {
            std::ostringstream out;
            out << Describe(list) << ": column " << c << " \"" << rilto::Narrow(text) << "\" needs "
                << needs << ", it has " << has;
            faults.push_back(out.str());
        }
    }
}

void CheckPlace(HWND control, std::vector<std::string>& faults) {
    RECT area{};
    GetClientRect(GetParent(control), &area);
    const RECT r = PlaceInParent(control);
    if (r.left < area.left || r.top < area.top || r.right > area.right || r.bottom > area.bottom) {
        faults.push_back(Describe(control) + ": at " + Box(r) + ", outside its parent's " +
                         Box(area));
    }
}

bool IsGroupBox(HWND control) {
    return ClassOf(control) == L"Button" &&
           (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A control that starts inside a group box's frame ends inside it too.
void CheckFrames(const std::vector<HWND>& controls, std::vector<std::string>& faults) {
    for (const HWND frame : controls) {
        if (!IsGroupBox(frame)) {
            continue;
        }
        const RECT box = PlaceInParent(frame);
        for (const HWND control : controls) {
            if (control == frame || GetParent(control) != GetParent(frame)) {
                continue;
            }
            const RECT r = PlaceInParent(control);
            const POINT corner{r.left, r.top};
            if (PtInRect(&box, corner) && (r.right > box.right || r.bottom > box.bottom)) {
                faults.push_back(Describe(control) + ": at " + Box(r) + ", crosses the frame " +
                                 Describe(frame) + " at " + Box(box));
            }
        }
    }
}

}  // namespace

RECT InkOf(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const int w = client.right;
    const int h = client.bottom;
    if (w <= 0 || h <= 0) {
        return RECT{};
    }
    const rilto::UniqueDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const rilto::UniqueGdi<HBITMAP> dib(
        CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dib.get() == nullptr) {
        return RECT{};
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill(pixels, pixels + w * h, kUnpainted);
    {
        const rilto::SelectedObject selected(dc.get(), dib.get());
        PrintWindow(control, dc.get(), PW_CLIENTONLY);
        GdiFlush();
    }
    const std::uint32_t background = pixels[w * h - 1] & 0xFFFFFF;
    RECT ink{w, h, 0, 0};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((pixels[y * w + x] & 0xFFFFFF) != background) {
                ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    return ink.right > ink.left ? ink : RECT{};
}

std::vector<std::string> LayoutFaults(HWND window, const std::vector<int>& outOfSight) {
    std::vector<std::string> faults;
    if (window == nullptr || !IsWindowVisible(window)) {
        faults.push_back("no window shown");
        return faults;
    }
    std::vector<HWND> controls;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    std::vector<HWND> shown;
    for (const HWND control : controls) {
        if (!IsWindowVisible(control) || std::find(outOfSight.begin(), outOfSight.end(),
                                                   GetDlgCtrlID(control)) != outOfSight.end()) {
            continue;
        }
        shown.push_back(control);
        CheckPlace(control, faults);
        CheckText(control, faults);
        if (ClassOf(control) == WC_LISTVIEWW) {
            CheckColumns(control, faults);
        }
    }
    CheckFrames(shown, faults);
    return faults;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line + "\n";
    }
    return out;
}

void SaveBitmap(const std::wstring& name, const std::uint32_t* pixels, int width, int height) {
    const std::wstring folder = BinDir() + L"\\..\\..\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    // 24 bits a pixel, each row padded to whole words, the bottom row first.
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) / 4 * 4;
    std::vector<BYTE> image(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        BYTE* row = image.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            row[3 * x] = static_cast<BYTE>(p);
            row[3 * x + 1] = static_cast<BYTE>(p >> 8);
            row[3 * x + 2] = static_cast<BYTE>(p >> 16);
        }
    }
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(image.size());
    const rilto::UniqueHandle f(CreateFileW((folder + L"\\" + name + L".bmp").c_str(),
                                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD n = 0;
    if (f.get() != nullptr && f.get() != INVALID_HANDLE_VALUE) {
        WriteFile(f.get(), &file, sizeof file, &n, nullptr);
        WriteFile(f.get(), &header, sizeof header, &n, nullptr);
        WriteFile(f.get(), image.data(), static_cast<DWORD>(image.size()), &n, nullptr);
    }
}

std::vector<std::uint32_t> CaptureWindow(HWND window, SIZE* size) {
    RECT r{};
    if (window != nullptr) {
        GetWindowRect(window, &r);
    } else {
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int w = std::max<int>(r.right - r.left, 1);
    const int h = std::max<int>(r.bottom - r.top, 1);
    *size = SIZE{w, h};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    const rilto::WindowDc screen(nullptr);
    const rilto::UniqueDc memory(CreateCompatibleDC(screen.get()));
    const rilto::UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    {
        const rilto::SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(h), pixels.data(), &bi,
              DIB_RGB_COLORS);
    return pixels;
}

namespace {
// A cell of the sheet: what a capture is shrunk into, and the room for its name.
constexpr int kCellWidth = 720;
constexpr int kCellHeight = 560;
constexpr int kNameHeight = 24;
constexpr int kGap = 12;
constexpr int kColumns = 3;
}  // namespace

void ContactSheet::Add(const std::wstring& name, HWND window) {
    // Drawn afresh, frame and all: a check may have left parts of it to be painted.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    Shot shot;
    shot.name = name;
    shot.pixels = CaptureWindow(window, &shot.size);
    shots_.push_back(std::move(shot));
}

void ContactSheet::Save(const std::wstring& name) const {
    if (shots_.empty()) {
        return;
    }
    // Each shot shrunk to fit its cell, keeping its proportions.
    std::vector<SIZE> drawn;
    for (const Shot& s : shots_) {
        const double scale =
            std::min({1.0, double(kCellWidth) / s.size.cx, double(kCellHeight) / s.size.cy});
        drawn.push_back(SIZE{LONG(s.size.cx * scale), LONG(s.size.cy * scale)});
    }
    const int rows = static_cast<int>((shots_.size() + kColumns - 1) / kColumns);
    std::vector<int> rowTop(static_cast<std::size_t>(rows) + 1, kGap);
    for (int row = 0; row < rows; ++row) {
        int tallest = 0;
        for (int c = 0; c < kColumns; ++c) {
            const std::size_t i = static_cast<std::size_t>(row * kColumns + c);
            if (i < drawn.size()) {
                tallest = std::max<int>(tallest, drawn[i].cy);
            }
        }
        rowTop[static_cast<std::size_t>(row) + 1] =
            rowTop[static_cast<std::size_t>(row)] + kNameHeight + tallest + kGap;
    }
    const int width = kGap + kColumns * (kCellWidth + kGap);
    const int height = rowTop.back();
    const rilto::UniqueDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const rilto::UniqueGdi<HBITMAP> sheet(
        CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const rilto::SelectedObject selected(dc.get(), sheet.get());
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    SelectObject(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    SetStretchBltMode(dc.get(), HALFTONE);
    for (std::size_t i = 0; i < shots_.size(); ++i) {
        const Shot& s = shots_[i];
        const int x = kGap + static_cast<int>(i % kColumns) * (kCellWidth + kGap);
        const int y = rowTop[i / kColumns];
        TextOutW(dc.get(), x, y + 4, s.name.c_str(), static_cast<int>(s.name.size()));
        BITMAPINFO shotInfo{};
        shotInfo.bmiHeader = {
            sizeof shotInfo.bmiHeader, s.size.cx, -s.size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        StretchDIBits(dc.get(), x, y + kNameHeight, drawn[i].cx, drawn[i].cy, 0, 0, s.size.cx,
                      s.size.cy, s.pixels.data(), &shotInfo, DIB_RGB_COLORS, SRCCOPY);
    }
    GdiFlush();
    SaveBitmap(name, static_cast<const std::uint32_t*>(bits), width, height);
}

}  // namespace harness
