#include "settings/frm_about_tevrin_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/dialog_win.h"
#include "common/dpi_win.h"
#include "common/resource_ids.h"
#include "common/trace_win.h"
#include "common/version.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_about_ids.h"

namespace rilto {

namespace {

// The picture at 96 DPI, as scripts/make-about-art.py draws it; the logo likewise.
constexpr int kPictureWidth96 = 240;
constexpr int kPictureHeight96 = 160;
constexpr int kLogoSize96 = 48;

constexpr wchar_t kCredit[] =
    L"Rilto Micropause \u2014 short breaks and exercises against repetitive strain injury.";
constexpr wchar_t kContact[] =
    L"Report problems and ideas at the project's issue tracker.\r\n"
    L"Rilto Micropause is free software.";

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// `source` scaled with halftone into a new 24-bit bitmap of `size`.
UniqueGdi<HBITMAP> Scaled(HBITMAP source, SIZE size) {
    BITMAP from{};
    if (GetObjectW(source, sizeof from, &from) == 0 || size.cx <= 0 || size.cy <= 0) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdi<HBITMAP> scaled(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueDc to(CreateCompatibleDC(nullptr));
    const UniqueDc in(CreateCompatibleDC(nullptr));
    if (scaled == nullptr || to == nullptr || in == nullptr) {
        return nullptr;
    }
    const SelectedObject target(to.get(), scaled.get());
    const SelectedObject original(in.get(), source);
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, size.cx, size.cy, in.get(), 0, 0, from.bmWidth, from.bmHeight,
               SRCCOPY);
    return scaled;
}

}  // namespace

std::wstring ModuleVersionLabel(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return {};
    }
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixed == nullptr || fixedSize < sizeof *fixed) {
        return {};
    }
    // Written narrow and widened: std::to_wstring formats with the C runtime's wide
    // printf, which brings its floating point conversions into the program.
    return Widen(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                 std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                 std::to_string(HIWORD(fixed->dwFileVersionLS)));
}

FrmAboutTevrin::FrmAboutTevrin() : Dialog(IDD_ABOUT) {}

bool FrmAboutTevrin::Show(HWND owner) {
    if (IsOpen()) {
        SetForegroundWindow(hwnd());
        return true;
    }
    if (!CreateModeless(owner)) {
        return false;
    }
    // At a third of the free space of the primary monitor's work area, laid out for
    // that monitor's DPI, which may not be the DPI of where the box was made.
    PlaceOnWorkArea(hwnd(), 3);
    if (const UINT dpi = DpiOfWindow(hwnd()); dpi != dpi_) {
        LayOut(dpi, Sizing::Template);
        PlaceOnWorkArea(hwnd(), 3);
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    return true;
}

INT_PTR FrmAboutTevrin::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // the focus is on OK already
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                Close();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            Close();
            return TRUE;
        default:
            return FALSE;
    }
}

void FrmAboutTevrin::OnInitDialog() {
    std::wstring version = ModuleVersionLabel(ThisModule());
    if (version.empty()) {
        version = Widen(VersionLabel());
    }
    SetDlgItemTextW(hwnd(), IDC_ABOUT_LBLVERSION, (L"Version " + version).c_str());
    SetDlgItemTextW(hwnd(), IDC_ABOUT_LBLCREDIT, kCredit);
    SetDlgItemTextW(hwnd(), IDC_ABOUT_TEXT2, kContact);

    if (source_ == nullptr) {
        source_.reset(static_cast<HBITMAP>(LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDB_ABOUT),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (source_ == nullptr) {
            TraceLastError("cannot load the About picture");
        }
    }
    LayOut(DpiOfWindow(hwnd()), Sizing::Template);
    SetFocus(Item(IDOK));
}

void FrmAboutTevrin::Close() {
    // Gone: the next Show makes a new box.
    Destroy();
    picture_.reset();
    logo_.reset();
}

void FrmAboutTevrin::LaidOut(UINT dpi) {
    dpi_ = dpi;
    MakeImages();
}

void FrmAboutTevrin::MakeImages() {
    const HWND pic = Item(IDC_ABOUT_IMGPIC);
    if (source_ != nullptr && pic != nullptr) {
        // As large as the DPI asks for, smaller only when the control has less room.
        const SIZE room = ClientSize(pic);
        SIZE size{ScaledToDpi(kPictureWidth96, dpi_), ScaledToDpi(kPictureHeight96, dpi_)};
        if (size.cx > room.cx || size.cy > room.cy) {
            const bool widthBound = room.cx * kPictureHeight96 <= room.cy * kPictureWidth96;
            size = widthBound ? SIZE{room.cx, MulDiv(room.cx, kPictureHeight96, kPictureWidth96)}
                              : SIZE{MulDiv(room.cy, kPictureWidth96, kPictureHeight96), room.cy};
        }
        if (UniqueGdi<HBITMAP> picture = Scaled(source_.get(), size); picture != nullptr) {
            SendMessageW(pic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
            picture_ = std::move(picture);
        }
    }
    const HWND logo = Item(IDC_ABOUT_PICTURE1);
    if (logo != nullptr) {
        const SIZE room = ClientSize(logo);
        const int size =
            std::max(1, std::min({ScaledToDpi(kLogoSize96, dpi_), static_cast<int>(room.cx),
                                  static_cast<int>(room.cy)}));
        UniqueIcon icon(static_cast<HICON>(
            LoadImageW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO), IMAGE_ICON, size, size, 0)));
        if (icon != nullptr) {
            SendMessageW(logo, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
            logo_ = std::move(icon);
        }
    }
}

}  // namespace rilto
