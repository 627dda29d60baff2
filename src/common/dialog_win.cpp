#include "common/dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "common/dpi_win.h"
#include "common/scoped_flag.h"
#include "common/system_function_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"

namespace rilto {

namespace {

// WM_GETDPISCALEDSIZE, of Windows 10 1703 on.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The template of a dialog among the module's resources, read; empty with a trace when
// it is missing or not of the extended form.
DialogTemplate LoadDialogTemplate(int templateId) {
    const HMODULE module = ThisModule();
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    std::optional<DialogTemplate> read =
        ReadDialogTemplate(static_cast<const std::uint8_t*>(data),
                           data != nullptr ? SizeofResource(module, found) : 0);
    if (!read) {
        Trace("cannot read the dialog template " + std::to_string(templateId));
        return {};
    }
    return *read;
}

// The dialog base units of a font, measured as the dialog manager measures them.
DialogBaseUnits MeasureBaseUnits(HWND hwnd, HFONT font) {
    const WindowDc dc(hwnd);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), kAlphabet, static_cast<int>(std::size(kAlphabet) - 1), &extent);
    return BaseUnitsFromAlphabet(extent.cx, metrics.tmHeight);
}

// The window's size for a client area of `width` by `height` at `dpi`.
SIZE WindowSizeForClient(HWND hwnd, int width, int height, UINT dpi) {
    using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto fn = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT r{0, 0, width, height};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    if (fn == nullptr || !fn(&r, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Spin buttons aligned to their buddy box sit inside the box's template place, which
// narrows the box, as they did when the dialog manager made them.
void AlignSpinButton(HWND control) {
    std::array<wchar_t, 32> name{};
    GetClassNameW(control, name.data(), static_cast<int>(name.size()));
    const auto style = GetWindowLongPtrW(control, GWL_STYLE);
    if (lstrcmpiW(name.data(), UPDOWN_CLASSW) != 0 ||
        (style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) == 0) {
        return;
    }
    if (const LRESULT buddy = SendMessageW(control, UDM_GETBUDDY, 0, 0); buddy != 0) {
        SendMessageW(control, UDM_SETBUDDY, static_cast<WPARAM>(buddy), 0);
    }
}

}  // namespace

Dialog::~Dialog() {
    Destroy();
}

void Dialog::Destroy() {
    if (hwnd_ != nullptr) {
        const HWND hwnd = hwnd_;
        Detach();
        DestroyWindow(hwnd);
    }
}

void Dialog::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    KeepDialogScalingOff(hwnd);
    // The dialog manager makes the controls in template order, each after the last.
    places_.clear();
    HWND control = GetWindow(hwnd, GW_CHILD);
    for (const DialogTemplateItem& item : template_.items) {
        if (control == nullptr || LOWORD(GetDlgCtrlID(control)) != LOWORD(item.id)) {
            Trace("the controls of dialog " + std::to_string(templateId_) +
                  " are not as its template lists them");
            places_.clear();
            return;
        }
        places_.push_back(TemplatePlace{control, item.place});
        control = GetWindow(control, GW_HWNDNEXT);
    }
}

void Dialog::Detach() {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
    places_.clear();
    anchored_ = false;
}

void Dialog::Anchor(int id, unsigned anchors) {
    for (TemplatePlace& placed : places_) {
        if (LOWORD(GetDlgCtrlID(placed.control)) == LOWORD(id)) {
            placed.anchors = anchors;
        }
    }
    anchored_ = anchored_ || (anchors & (kAnchorRight | kAnchorBottom)) != 0;
}

bool Dialog::CreateModeless(HWND owner) {
    template_ = LoadDialogTemplate(templateId_);
    if (CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(templateId_), owner, &Procedure,
                           reinterpret_cast<LPARAM>(this)) == nullptr) {
        TraceLastError("cannot create the dialog " + std::to_string(templateId_));
        return false;
    }
    return hwnd_ != nullptr;
}

bool Dialog::CreatePage(HWND parent, int childId) {
    if (!CreateModeless(parent)) {
        return false;
    }
    SetWindowLongPtrW(hwnd_, GWLP_ID, childId);
    return true;
}

INT_PTR Dialog::RunModal(HWND owner) {
    template_ = LoadDialogTemplate(templateId_);
    const INT_PTR result = DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(templateId_), owner,
                                           &Procedure, reinterpret_cast<LPARAM>(this));
    if (result == -1) {
        TraceLastError("cannot show the dialog " + std::to_string(templateId_));
    }
    return result;
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Dialog* self = msg == WM_INITDIALOG
                       ? reinterpret_cast<Dialog*>(lp)
                       : reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    const INT_PTR result = GuardedDialogMessage("a dialog message", [&]() -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            self->Attach(hwnd);
        } else if (msg == WM_DPICHANGED) {
            self->DpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return TRUE;
        } else if (msg == WM_SIZE && wp != SIZE_MINIMIZED && self->anchored_ && !self->layingOut_ &&
                   self->font_ != nullptr) {
            self->PlaceControls();
            self->LaidOut(self->fontDpi_);
        }
        if (msg == kGetDpiScaledSize) {
            return self->ScaledSize(LOWORD(wp), reinterpret_cast<SIZE*>(lp)) ? self->Answer(TRUE)
                                                                             : FALSE;
        }
        return self->HandleMessage(msg, wp, lp);
    });
    if (msg == WM_NCDESTROY && self->hwnd_ == hwnd) {
        self->Detach();
    }
    return result;
}

bool Dialog::TranslateDialogMessage(MSG* msg) {
    return hwnd_ != nullptr && IsWindowVisible(hwnd_) && IsDialogMessageW(hwnd_, msg);
}

void Dialog::Focus(HWND control) const {
    SendMessageW(GetAncestor(hwnd_, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control),
                 TRUE);
}

INT_PTR Dialog::Answer(LONG_PTR result) {
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

UniqueGdi<HFONT> Dialog::MakeFont(UINT dpi) const {
    LOGFONTW font{};
    if (fontKind_ == DialogFont::Message || !template_.font) {
        font = MessageFontAt(dpi);
    } else {
        const DialogTemplateFont& named = *template_.font;
        font.lfHeight = FontHeightAt(named.points, dpi);
        font.lfWeight = named.weight;
        font.lfItalic = named.italic ? TRUE : FALSE;
        font.lfCharSet = static_cast<BYTE>(named.charset);
        const std::wstring face(named.face.begin(), named.face.end());
        lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    return UniqueGdi<HFONT>(CreateFontIndirectW(&font));
}

SIZE Dialog::WindowSizeForUnits(int across, int down) const {
    return WindowSizeForClient(hwnd_, PixelsAcross(across), PixelsDown(down), fontDpi_);
}

SIZE Dialog::TemplateWindowSize(UINT dpi, DialogBaseUnits units) const {
    return WindowSizeForClient(hwnd_, DialogUnitsToPixelsX(template_.frame.cx, units),
                               DialogUnitsToPixelsY(template_.frame.cy, units), dpi);
}

bool Dialog::ControlsFit() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    for (const TemplatePlace& placed : places_) {
        // As placed: a drop-down list's template height includes its open list.
        RECT r{};
        GetWindowRect(placed.control, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        if (r.right > client.right || r.bottom > client.bottom) {
            return false;
        }
    }
    return true;
}

bool Dialog::ScaledSize(UINT dpi, SIZE* size) const {
    const UniqueGdi<HFONT> font = MakeFont(dpi);
    if (font == nullptr ||
        (GetWindowLongPtrW(hwnd_, GWL_STYLE) & (WS_CHILD | WS_THICKFRAME)) != 0) {
        return false;
    }
    *size = TemplateWindowSize(dpi, MeasureBaseUnits(hwnd_, font.get()));
    return true;
}

void Dialog::PlaceControls() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int grownX = client.right - PixelsAcross(template_.frame.cx);
    const int grownY = client.bottom - PixelsDown(template_.frame.cy);
    for (const TemplatePlace& placed : places_) {
        const DialogUnitRect& at = placed.place;
        const PixelPlace place =
            Anchored({PixelsAcross(at.x), PixelsDown(at.y), PixelsAcross(at.cx), PixelsDown(at.cy)},
                     grownX, grownY, placed.anchors);
        SetWindowPos(placed.control, nullptr, place.x, place.y, place.cx, place.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Dialog::LayOut(UINT dpi, Sizing sizing) {
    if (hwnd_ == nullptr) {
        return;
    }
    const ScopedFlag layingOut(layingOut_);
    // The font made for this DPI before serves again: a dialog shown and hidden all day
    // would otherwise make a new one at every showing.
    UniqueGdi<HFONT> font = font_ != nullptr && fontDpi_ == dpi ? std::move(font_) : MakeFont(dpi);
    if (font == nullptr) {
        TraceLastError("cannot make the font of dialog " + std::to_string(templateId_));
        return;
    }
    fontDpi_ = dpi;
    units_ = MeasureBaseUnits(hwnd_, font.get());
    const auto sizeToTemplate = [&] {
        const SIZE size = TemplateWindowSize(dpi, units_);
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (sizing == Sizing::Template) {
        sizeToTemplate();
    }
    for (const TemplatePlace& placed : places_) {
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    PlaceControls();
    if (sizing == Sizing::Fit && !ControlsFit()) {
        sizeToTemplate();
        PlaceControls();
    }
    for (const TemplatePlace& placed : places_) {
        AlignSpinButton(placed.control);
    }
    // The old font goes only now that no control uses it.
    font_ = std::move(font);
    LaidOut(dpi);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Dialog::DpiChanged(UINT dpi, const RECT& suggested) {
    {
        // The controls are placed once, with the new DPI's font.
        const ScopedFlag layingOut(layingOut_);
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOut(dpi, Sizing::Fit);
}

bool RegisterDialogClass(const wchar_t* name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = ThisModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        return true;
    }
    TraceLastError("cannot register the dialog class " + Narrow(name));
    return false;
}

void KeepDialogScalingOff(HWND dialog) {
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    static const auto fn =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (fn != nullptr) {
        fn(dialog, kDisableAll, kDisableAll);
    }
}

RECT PrimaryWorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

SIZE FrameSize(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void PlaceOnWorkArea(HWND window, int parts) {
    const RECT work = PrimaryWorkArea();
    const SIZE size = FrameSize(window);
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - size.cx) / parts,
                 std::max(work.top, work.top + (work.bottom - work.top - size.cy) / parts), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rilto
