#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "engine/frm_rilto_ids.h"
#include "shell/resource.h"
#include "support/harness.h"
#include "support/layout_check.h"

namespace harness {

HWND MainForm() {
    const HWND hook = TrayWindow();
    return hook != nullptr ? GetAncestor(hook, GA_ROOT) : nullptr;
}

HWND FormControl(int id) {
    const HWND form = MainForm();
    const HWND direct = GetDlgItem(form, id);
    return direct != nullptr ? direct : GetDlgItem(GetDlgItem(form, IDC_PICBLACK), id);
}

std::wstring TextOf(HWND hwnd) {
    // Asked of the window itself: an edit or combo box of another program answers with
    // what it holds now, not the text it was made with.
    wchar_t text[512] = L"";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        GetWindowTextW(hwnd, text, 512);
    }
    return text;
}

bool IsTopmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool TrayIconPresent(HWND hookWindow) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hookWindow;
    nid.uID = 1;
    nid.uFlags = NIF_TIP;
    lstrcpyW(nid.szTip, L"Rilto Micropause");
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

namespace {
struct ClassSearch {
    DWORD pid;
    const wchar_t* windowClass;
    HWND found;
};
BOOL CALLBACK FindClassProc(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<ClassSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == s->windowClass) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindVisibleWindowOfClass(DWORD processId, const wchar_t* windowClass) {
    ClassSearch s{processId, windowClass, nullptr};
    EnumWindows(FindClassProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindMenuWindow(DWORD processId) {
    return FindVisibleWindowOfClass(processId, L"#32768");
}

HWND WaitForMenuKeyboard(DWORD processId, DWORD timeoutMs) {
    HWND menu = nullptr;
    bool seen = false;
    bool closed = false;
    const auto tracking = [&] {
        menu = FindMenuWindow(processId);
        if (menu == nullptr) {
            closed = seen;
            return closed;
        }
        seen = true;
        const DWORD thread = GetWindowThreadProcessId(menu, nullptr);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        const bool inMenu = GetGUIThreadInfo(thread, &gui) && (gui.flags & GUI_INMENUMODE) != 0;
        const HWND front = GetForegroundWindow();
        return inMenu && front != nullptr && GetWindowThreadProcessId(front, nullptr) == thread;
    };
    return WaitUntil(tracking, timeoutMs) && !closed ? menu : nullptr;
}

namespace {

bool RepeatAtMenu(DWORD processId, const std::function<void()>& key,
                  const std::function<bool()>& done) {
    if (WaitForMenuKeyboard(processId) == nullptr) {
        return done();
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0 && (FindMenuWindow(processId) == nullptr ||
                            WaitForMenuKeyboard(processId, 5000) == nullptr)) {
            break;  // the menu went or changed: the key was taken, late
        }
        key();
        if (WaitUntil(done, 5000)) {
            return true;
        }
    }
    return WaitUntil(done, kShowWait);
}

}  // namespace

bool PressAtMenu(DWORD processId, WORD vk, const std::function<bool()>& done) {
    return RepeatAtMenu(
        processId, [vk] { PressKey(vk); }, done);
}

bool TypeAtMenu(DWORD processId, wchar_t c, const std::function<bool()>& done) {
    return RepeatAtMenu(
        processId, [c] { TypeChar(c); }, done);
}

HWND FindMessageBox(DWORD processId) {
    return FindVisibleWindowOfClass(processId, L"#32770");
}

HWND FindDialogWhere(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } s{&match, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32770" && (*s->match)(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindDialog(DWORD processId, const std::wstring& title) {
    return FindDialogWhere([&](HWND hwnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        return pid == processId && TextOf(hwnd) == title;
    });
}

std::wstring StaticTexts(HWND dialog) {
    std::wstring texts;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lp) -> BOOL {
            if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
                auto* t = reinterpret_cast<std::wstring*>(lp);
                *t += (t->empty() ? L"" : L"\n") + TextOf(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::wstring Decimal(HWND hwnd) {
    return std::to_wstring(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hwnd)));
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = vk;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

void PressKeyWith(WORD held, WORD vk) {
    INPUT in[4]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
    }
    in[0].ki.wVk = held;
    in[1].ki.wVk = vk;
    in[2].ki.wVk = vk;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = held;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
}

void TypeChar(wchar_t c) {
    PressKey(static_cast<WORD>(VkKeyScanW(c) & 0xFF));
}

void MoveMouseBy(int dx, int dy) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = dx;
    in.mi.dy = dy;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(INPUT));
}

void ClickAt(int x, int y, bool right) {
    SetCursorPos(x, y);
    PumpFor(50);
    INPUT in[3]{};
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
    in[0].type = INPUT_MOUSE;
    in[0].mi.dx = x * 65535 / w;
    in[0].mi.dy = y * 65535 / h;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[2].type = INPUT_MOUSE;
    in[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

void SaveScreenshot(const std::wstring& name) {
    SIZE size{};
    const std::vector<std::uint32_t> screen = CaptureWindow(nullptr, &size);
    SaveBitmap(name, screen.data(), size.cx, size.cy);
}

void DoubleClickAt(int x, int y) {
    ClickAt(x, y, false);
    ClickAt(x, y, false);
}

POINT CentreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void SendDpiChange(HWND window, UINT dpi) {
    RECT suggested{};
    GetWindowRect(window, &suggested);
    const int scale = static_cast<int>(dpi);
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, scale, 96);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, scale, 96);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

OtherProgramWindow::OtherProgramWindow(bool visible) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SomeOtherProgram";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(L"SomeOtherProgram", L"Some other program",
                          WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 40, 40, 300, 200,
                          nullptr, nullptr, wc.hInstance, this);
}

OtherProgramWindow::~OtherProgramWindow() {
    DestroyWindow(hwnd_);
}

int OtherProgramWindow::KeyDowns(WPARAM vk) const {
    return vk < 256 ? keyDowns_[vk] : 0;
}

int OtherProgramWindow::AllKeyDowns() const {
    int n = 0;
    for (int k : keyDowns_) {
        n += k;
    }
    return n;
}

bool OtherProgramWindow::TakeForeground() {
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    return WaitUntil([&] { return GetForegroundWindow() == hwnd_ && GetFocus() == hwnd_; }, 3000);
}

LRESULT CALLBACK OtherProgramWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* self = reinterpret_cast<OtherProgramWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && msg == WM_KEYDOWN && wp < 256) {
        ++self->keyDowns_[wp];
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Wine shows tray icons in a small window of its own, 20 pixels apart; the program's
// is the only one.
POINT TrayIconCentre() {
    const HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    POINT at{10, 10};
    ClientToScreen(tray, &at);
    return at;
}

void MoveMouseTo(POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

HWND VisibleTip() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            if (IsWindowVisible(w) && ClassOf(w) == L"tooltips_class32") {
                *reinterpret_cast<HWND*>(p) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TipOfTheTrayIcon() {
    // Room for a loaded machine.
    constexpr DWORD kWait = 15000;
    const POINT away{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    MoveMouseTo(away);
    WaitUntil([] { return VisibleTip() == nullptr; }, kWait);
    const POINT icon = TrayIconCentre();
    MoveMouseTo(icon);
    PumpFor(100);
    MoveMouseTo(POINT{icon.x + 1, icon.y});
    HWND tip = nullptr;
    WaitUntil([&] { return (tip = VisibleTip()) != nullptr; }, kWait);
    const std::wstring text = tip != nullptr ? TextOf(tip) : L"";
    MoveMouseTo(away);
    WaitUntil([] { return VisibleTip() == nullptr; }, kWait);
    return text;
}

int TealPixelsInTheTray() {
    const POINT centre = TrayIconCentre();
    const HDC screen = GetDC(nullptr);
    int teal = 0;
    for (int y = centre.y - 8; y < centre.y + 8; ++y) {
        for (int x = centre.x - 8; x < centre.x + 8; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            teal += GetGValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetRValue(c) + 50 ? 1 : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    return teal;
}
bool TrayShowsTheProgramIcon() {
    return TealPixelsInTheTray() > 64;
}
bool TrayShowsThePausedIcon() {
    return TealPixelsInTheTray() == 0;
}

HWND DescendantWithId(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (GetDlgCtrlID(child) == s->id) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace harness
