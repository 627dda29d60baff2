#include "settings/number_box_win.h"

#include <commctrl.h>

#include <string>

#include "common/guarded_call_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/number_filter.h"

namespace rilto {

namespace {

constexpr UINT_PTR kNumberBoxSubclass = 0x4E42;

// The edit box's own shortcuts, which come as control characters: select all, copy,
// cut and undo. Ctrl+V is a paste and judged as one.
constexpr WPARAM kCtrlA = 0x01;
constexpr WPARAM kCtrlC = 0x03;
constexpr WPARAM kCtrlV = 0x16;
constexpr WPARAM kCtrlX = 0x18;
constexpr WPARAM kCtrlZ = 0x1A;

bool IsEditShortcut(WPARAM ch) {
    return ch == kCtrlA || ch == kCtrlC || ch == kCtrlX || ch == kCtrlZ;
}

bool HasSelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

// The clipboard, open for the scope.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

// A global memory block, locked for the scope.
class LockedGlobal {
  public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    ~LockedGlobal() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    const void* data() const { return data_; }

  private:
    HGLOBAL block_;
    void* data_;
};

// The text a paste would put in; empty when the clipboard holds none.
std::string ClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.open()) {
        return {};
    }
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return {};
    }
    const LockedGlobal locked(data);
    const auto* text = static_cast<const wchar_t*>(locked.data());
    return text != nullptr ? Narrow(text) : std::string();
}

LRESULT HandleNumberBoxMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id);

LRESULT CALLBACK NumberBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR /*data*/) {
    return GuardedCall(
        "a number box message", [&] { return HandleNumberBoxMessage(hwnd, msg, wp, lp, id); },
        [&] { return DefSubclassProc(hwnd, msg, wp, lp); });
}

LRESULT HandleNumberBoxMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id) {
    switch (msg) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
            return result;
        }
        case WM_LBUTTONDOWN:
            // A click that brings the focus selects the whole number too, as tabbing in
            // does; the click itself would otherwise put the caret where it landed.
            if (GetFocus() != hwnd) {
                const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return result;
            }
            break;
        case WM_CHAR:
            if (wp == kCtrlV) {
                SendMessageW(hwnd, WM_PASTE, 0, 0);
                return 0;
            }
            if (!IsEditShortcut(wp) &&
                CheckNumText(static_cast<int>(wp), WindowText(hwnd), HasSelection(hwnd),
                             kNumberBoxMin, kNumberBoxMax) == 0) {
                return 0;
            }
            break;
        case WM_KEYDOWN:
            // Shift+Insert goes through WM_PASTE here, whatever the edit box would do.
            if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
                SendMessageW(hwnd, WM_PASTE, 0, 0);
                return 0;
            }
            break;
        case WM_PASTE:
            if (!PasteAllowed(ClipboardText(hwnd))) {
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, NumberBoxProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

bool MakeNumberBox(HWND edit) {
    if (edit == nullptr || !SetWindowSubclass(edit, NumberBoxProc, kNumberBoxSubclass, 0)) {
        Trace("cannot make a number box");
        return false;
    }
    return true;
}

}  // namespace rilto
