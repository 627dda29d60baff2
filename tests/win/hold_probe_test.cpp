// The hold probe in this process, looking at the foreground as Windows shows it: a
// captionless window of another program whose client area covers its whole monitor, and
// its program's name; the same window smaller, with a title bar or maximised, the
// desktop's and the taskbar's windows and this program's own windows never cover.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "engine/hold_probe_win.h"
#include "support/device_use_record.h"
#include "support/harness.h"

namespace {

// Every wait is for something that must happen: a loaded machine may take many seconds to
// start the helper and bring its window in front.
constexpr DWORD kWait = harness::kShowWait;
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

// The helper's window restyled and placed at `place`; whether it got there.
::testing::AssertionResult Reshape(HWND window, DWORD style, const RECT& place) {
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT now{};
    DWORD nowStyle = 0;
    const bool there = harness::WaitUntil(
        [&] {
            GetWindowRect(window, &now);
            nowStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
            return EqualRect(&now, &place) != FALSE &&
                   (nowStyle & WS_CAPTION) == (style & WS_CAPTION);
        },
        kWait);
    if (there) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "at " << now.left << "," << now.top << "," << now.right << "," << now.bottom
           << " style 0x" << std::hex << nowStyle;
}

// A window of another program is full screen only without a title bar and with its client
// area over the whole monitor: a maximised window's frame reaches past every edge and is
// no full-screen window.
TEST(HoldProbe, AnotherProgramsWindowIsFullScreenOnlyWithoutCaptionOverTheMonitor) {
    const HelperInFront helper(L"");
    ASSERT_TRUE(helper.InFront());
    rilto::WinHoldProbe probe;
    rilto::ForegroundView view = probe.Look();
    EXPECT_TRUE(view.coversMonitor);
    EXPECT_EQ(view.program, kHelperProgram);
    EXPECT_FALSE(view.focusAssist);  // Wine has no Focus Assist: absent, not a failure

    const RECT m = PrimaryMonitor();
    // Past every edge as Wine maximises a window: by its 4-pixel frame (Windows' is
    // 8); no larger, as a captioned window cannot grow past that.
    const RECT pastEveryEdge{m.left - 4, m.top - 4, m.right + 4, m.bottom + 4};
    constexpr DWORD kPopup = WS_POPUP | WS_VISIBLE;
    constexpr DWORD kCaptioned = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const struct {
        const char* what;
        DWORD style;
        RECT place;
        bool covers;
    } cases[] = {
        {"a normal window", kPopup, {m.left + 100, m.top + 100, m.left + 500, m.top + 400}, false},
        {"maximised beside the taskbar",
         kCaptioned,
         {m.left - 4, m.top - 4, m.right + 4, m.bottom - 40},
         false},
        {"a maximised frame past every edge", kCaptioned, pastEveryEdge, false},
        {"a captionless window past every edge", kPopup, pastEveryEdge, true},
        {"a captionless window short of the bottom by a taskbar",
         kPopup,
         {m.left, m.top, m.right, m.bottom - 40},
         false},
        {"a captionless window short of the right edge",
         kPopup,
         {m.left, m.top, m.right - 1, m.bottom},
         false},
        {"a captioned window over the whole monitor", kCaptioned, m, false},
        {"full screen again", kPopup, m, true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Reshape(helper.window(), c.style, c.place)) << c.what;
        ASSERT_EQ(GetForegroundWindow(), helper.window()) << c.what;
        view = probe.Look();
        EXPECT_EQ(view.coversMonitor, c.covers) << c.what;
        EXPECT_EQ(view.program, kHelperProgram) << c.what;
    }

    // Maximised, even without a title bar and over the whole monitor, it is a working
    // window.
    ShowWindow(helper.window(), SW_MAXIMIZE);
    ASSERT_TRUE(harness::WaitUntil([&] { return IsZoomed(helper.window()) != FALSE; }, kWait));
    BringToFront(helper.window());
    ASSERT_EQ(GetForegroundWindow(), helper.window());
    EXPECT_FALSE(probe.Look().coversMonitor);
    ShowWindow(helper.window(), SW_RESTORE);
}

// What the decision is given of a window: its client area on the screen, its monitor's
// whole area and work area, its title bar and whether it is maximised. (Wine's work area
// is the whole screen: the decision between the two is tested natively.)
TEST(HoldProbe, AWindowsShapeIsAsWindowsReportsIt) {
    const HelperInFront helper(L"");
    ASSERT_TRUE(helper.InFront());
    const RECT m = PrimaryMonitor();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT place{m.left + 50, m.top + 60, m.left + 650, m.top + 460};
    ASSERT_TRUE(Reshape(helper.window(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, place));
    std::optional<rilto::WindowShape> shape = rilto::ShapeOf(helper.window());
    ASSERT_TRUE(shape.has_value());
    RECT client{};
    GetClientRect(helper.window(), &client);
    MapWindowPoints(helper.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_GT(client.top, place.top);  // below the title bar
    EXPECT_EQ(shape->client.left, client.left);
    EXPECT_EQ(shape->client.top, client.top);
    EXPECT_EQ(shape->client.right, client.right);
    EXPECT_EQ(shape->client.bottom, client.bottom);
    EXPECT_EQ(shape->monitor.area.right, info.rcMonitor.right);
    EXPECT_EQ(shape->monitor.area.bottom, info.rcMonitor.bottom);
    EXPECT_EQ(shape->monitor.workArea.bottom, info.rcWork.bottom);
    EXPECT_TRUE(shape->monitor.primary);
    EXPECT_TRUE(shape->caption);
    EXPECT_FALSE(shape->maximised);

    ASSERT_TRUE(Reshape(helper.window(), WS_POPUP | WS_VISIBLE, m));
    shape = rilto::ShapeOf(helper.window());
    ASSERT_TRUE(shape.has_value());
    EXPECT_FALSE(shape->caption);
    EXPECT_EQ(shape->client.top, m.top);
    EXPECT_EQ(shape->client.bottom, m.bottom);
    ShowWindow(helper.window(), SW_MAXIMIZE);
    ASSERT_TRUE(harness::WaitUntil([&] { return IsZoomed(helper.window()) != FALSE; }, kWait));
    EXPECT_TRUE(rilto::ShapeOf(helper.window())->maximised);
    ShowWindow(helper.window(), SW_RESTORE);
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

// Windows' record of the devices' users: a program's key under the microphone's or the
// camera's, packaged or under NonPackaged, is in use while its LastUsedTimeStop is 0.
TEST(HoldProbe, ReadsWhichProgramsUseTheMicrophoneOrTheCameraNow) {
    rilto::WinHoldProbe probe;
    EXPECT_TRUE(probe.DevicesInUse().empty()) << "no record, no use";
    {
        constexpr ULONGLONG kBegan = 133'000'000'000'000'000;
        const harness::DeviceUseRecord zoom(
            L"microphone", L"NonPackaged\\C:#Program Files#Zoom#bin#Zoom.exe", kBegan);
        const harness::DeviceUseRecord skype(L"webcam", L"Microsoft.SkypeApp_kzf8qxf38zg5c");
        harness::DeviceUseRecord ended(L"webcam", L"NonPackaged\\C:#Tools#Recorder.exe");
        ended.End();
        // A stop written as another type than Windows writes is no record of a use.
        harness::DeviceUseRecord odd(L"microphone", L"Odd.App_123");
        const DWORD zero = 0;
        RegSetKeyValueW(
            HKEY_CURRENT_USER,
            (std::wstring(harness::kAccessManager) + L"\\ConsentStore\\microphone\\Odd.App_123")
                .c_str(),
            L"LastUsedTimeStop", REG_DWORD, &zero, sizeof zero);
        ASSERT_TRUE(zoom.Created() && skype.Created() && ended.Created() && odd.Created());

        std::vector<rilto::DeviceUse> uses = probe.DevicesInUse();
        std::sort(uses.begin(), uses.end(),
                  [](const auto& a, const auto& b) { return a.key < b.key; });
        ASSERT_EQ(uses.size(), 2u);
        EXPECT_EQ(uses[0].key, "C:#Program Files#Zoom#bin#Zoom.exe");
        EXPECT_FALSE(uses[0].packaged);
        EXPECT_EQ(uses[0].began, kBegan);
        EXPECT_EQ(uses[1].key, "Microsoft.SkypeApp_kzf8qxf38zg5c");
        EXPECT_TRUE(uses[1].packaged);
        EXPECT_NEAR(static_cast<double>(uses[1].began), static_cast<double>(harness::FileTimeNow()),
                    60.0 * 10'000'000);
    }
    EXPECT_TRUE(probe.DevicesInUse().empty());
    EXPECT_FALSE(harness::KeyExists(harness::kAccessManager)) << "the records are taken away";
}

}  // namespace
