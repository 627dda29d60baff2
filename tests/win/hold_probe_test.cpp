// The hold probe in this process, looking at the foreground as Windows shows it: a
// window of another program that covers its whole monitor, and its program's name; the
// same window smaller, the desktop's and the taskbar's windows and this program's own
// windows never cover.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/handles_win.h"
#include "engine/hold_probe_win.h"
#include "support/harness.h"

namespace {

constexpr DWORD kWait = 10000;
constexpr char kHelperProgram[] = "hold_helper.exe";

RECT PrimaryMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcMonitor;
}

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return harness::WaitUntil([&] { return GetForegroundWindow() == window; }, kWait);
}

// hold_helper.exe, another program, with its full-screen window of `windowClass` in
// front; ended with the object.
class HelperInFront {
  public:
    explicit HelperInFront(const std::wstring& windowClass)
        : process_(harness::BinPath(L"hold_helper.exe"), windowClass) {
        harness::WaitUntil(
            [&] {
                window_ = harness::FindProcessWindow(process_.Id(), L"Rilto hold helper");
                return window_ != nullptr && IsWindowVisible(window_);
            },
            kWait);
        inFront_ = window_ != nullptr && BringToFront(window_);
    }
    HWND window() const { return window_; }
    bool InFront() const { return inFront_; }

  private:
    harness::Process process_;
    HWND window_ = nullptr;
    bool inFront_ = false;
};

TEST(HoldProbe, AnotherProgramsWindowCoversItsMonitorOnlyWhenItFillsIt) {
    const HelperInFront helper(L"");
    ASSERT_TRUE(helper.InFront());
    rilto::WinHoldProbe probe;
    rilto::ForegroundView view = probe.Look();
    EXPECT_TRUE(view.coversMonitor);
    EXPECT_EQ(view.program, kHelperProgram);
    EXPECT_FALSE(view.focusAssist);  // Wine has no Focus Assist: absent, not a failure

    const RECT m = PrimaryMonitor();
    const struct {
        const char* what;
        RECT place;
        bool covers;
    } cases[] = {
        {"a normal window", {m.left + 100, m.top + 100, m.left + 500, m.top + 400}, false},
        {"maximised beside the taskbar",
         {m.left - 8, m.top - 8, m.right + 8, m.bottom - 40},
         false},
        {"a maximised frame past every edge",
         {m.left - 8, m.top - 8, m.right + 8, m.bottom + 8},
         true},
        {"full screen again", m, true},
    };
    for (const auto& c : cases) {
        const RECT& r = c.place;
        SetWindowPos(helper.window(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(harness::WaitUntil(
            [&] {
                RECT now{};
                GetWindowRect(helper.window(), &now);
                return EqualRect(&now, &r) != FALSE;
            },
            kWait))
            << c.what;
        ASSERT_EQ(GetForegroundWindow(), helper.window()) << c.what;
        view = probe.Look();
        EXPECT_EQ(view.coversMonitor, c.covers) << c.what;
        EXPECT_EQ(view.program, kHelperProgram) << c.what;
    }
}

TEST(HoldProbe, TheDesktopAndTheTaskbarNeverCover) {
    rilto::WinHoldProbe probe;
    for (const wchar_t* shell :
         {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
        const HelperInFront helper(shell);
        ASSERT_TRUE(helper.InFront()) << shell;
        ASSERT_EQ(harness::ClassOf(helper.window()), shell);
        const rilto::ForegroundView view = probe.Look();
        EXPECT_FALSE(view.coversMonitor) << shell;
        EXPECT_EQ(view.program, kHelperProgram) << shell;
    }
}

// The micropause screen covers the monitor; it must not hold the break it shows.
TEST(HoldProbe, ThisProgramsOwnWindowsNeverHold) {
    const RECT m = PrimaryMonitor();
    const rilto::UniqueWindow own(CreateWindowExW(
        0, L"Static", L"Full screen", WS_POPUP | WS_VISIBLE, m.left, m.top, m.right - m.left,
        m.bottom - m.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(own);
    ASSERT_TRUE(BringToFront(own.get()));
    const rilto::ForegroundView view = rilto::WinHoldProbe().Look();
    EXPECT_FALSE(view.coversMonitor);
    EXPECT_EQ(view.program, "");
}

}  // namespace
