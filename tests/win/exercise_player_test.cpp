// The exercise player in this process, with media made for the test at build time: a
// looping MS Video 1 video (also under a name beyond ASCII) and a 24-bit picture whose
// name ends in upper case.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "common/settings.h"
#include "common/wide_text_win.h"
#include "exercise/frm_x_win.h"
#include "support/harness.h"

namespace {

using rilto::FrmX;
using rilto::MediaButton;

constexpr char kVideo[] = "exercise.avi";
constexpr char kWideNamedVideo[] = "dehnung-\xc3\xbc\xc3\x9f.avi";
constexpr char kPicture[] = "picture.BMP";

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

// 32-bit pixels as RGB values, without what the unused byte holds.
std::vector<std::uint32_t> Rgb(const void* bits, int count) {
    std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + count);
    for (std::uint32_t& p : pixels) {
        p &= 0xFFFFFF;
    }
    return pixels;
}

// What the screen shows over the window, one RGB value per pixel, top row first.
std::vector<std::uint32_t> Capture(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const rilto::UniqueDc memory(CreateCompatibleDC(nullptr));
    const rilto::UniqueGdi<HBITMAP> dib(
        CreateDIBSection(memory.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const rilto::SelectedObject selected(memory.get(), dib.get());
        const rilto::WindowDc screen(nullptr);
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    return Rgb(bits, w * h);
}

// The picture file's own pixels, decoded apart from the player.
std::vector<std::uint32_t> PixelsOfFile(const std::wstring& path, SIZE* size) {
    const rilto::UniqueGdi<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP info{};
    GetObjectW(bitmap.get(), sizeof info, &info);
    *size = SIZE{info.bmWidth, info.bmHeight};
    BITMAPINFO bi{};
    bi.bmiHeader = {
        sizeof bi.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth * info.bmHeight));
    const rilto::WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap.get(), 0, info.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
    return Rgb(pixels.data(), info.bmWidth * info.bmHeight);
}

class ExercisePlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_.BlankX = false;
        rilto::FrmXEvents events;
        events.skip = [this] { ++skips_; };
        events.endBreak = [this] { ++ends_; };
        events.previous = [this] { ++previous_; };
        events.toggleCountdown = [this] { ++toggles_; };
        events.stop = [this] { ++stops_; };
        ASSERT_TRUE(player_.Create(std::move(events)));
        player_.PrepareBreak();
    }
    void TearDown() override { player_.ClosePlayer(); }

    // The program's message loop: the player sees each message first.
    void Pump(DWORD ms) {
        harness::PumpFor(ms, [this](MSG* msg) { return player_.PreTranslate(msg); });
    }
    void Present(const char* file, std::int32_t viewAm, bool first = true) {
        settings_.ViewAm = viewAm;
        player_.PresentExercise(file, first);
        Pump(300);
    }
    SIZE SurfaceSize() const { return ClientSize(player_.Surface().hwnd()); }
    HWND VideoWindow() const { return GetWindow(player_.Surface().hwnd(), GW_CHILD); }
    void Click(HWND hwnd) { PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); }
    void Press(MediaButton button) {
        const HWND b = player_.Bar().Button(button);
        SendMessageW(player_.Bar().hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
    }
    bool Shown(MediaButton button) {
        return (GetWindowLongPtrW(player_.Bar().Button(button), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    rilto::Settings settings_;
    FrmX player_{settings_, rilto::Narrow(harness::BinDir() + L"\\test-media")};
    int skips_ = 0, ends_ = 0, previous_ = 0, toggles_ = 0, stops_ = 0;
};

// Normal mode: the window holds the video's surface and the bar below it, and sits in
// the middle of the work area.
TEST_F(ExercisePlayer, VideoSurfaceSizesTheWindow) {
    const struct {
        std::int32_t viewAm;
        SIZE surface;
    } cases[] = {{0, {239, 179}}, {2, {479, 359}}, {9, {239, 179}}};
    for (const auto& c : cases) {
        Present(kVideo, c.viewAm);
        const SIZE surface = SurfaceSize();
        EXPECT_EQ(surface.cx, c.surface.cx) << c.viewAm;
        EXPECT_EQ(surface.cy, c.surface.cy) << c.viewAm;
        const SIZE bar = player_.Bar().Size();
        const SIZE client = ClientSize(player_.hwnd());
        EXPECT_EQ(client.cx, std::max(surface.cx, bar.cx)) << c.viewAm;
        EXPECT_EQ(client.cy, surface.cy + bar.cy) << c.viewAm;
        EXPECT_NE(VideoWindow(), nullptr) << c.viewAm;
        RECT work{};
        RECT window{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(player_.hwnd(), &window);
        EXPECT_LE(std::abs((window.left - work.left) - (work.right - window.right)), 8);
        EXPECT_LE(std::abs((window.top - work.top) - (work.bottom - window.bottom)), 8);
    }
    EXPECT_TRUE(harness::IsTopmost(player_.hwnd()));
    harness::SaveScreenshot(L"player-normal");

    // A new DPI: larger buttons, and the window still fits the surface and the bar.
    const SIZE bar96 = player_.Bar().Size();
    RECT suggested{};
    GetWindowRect(player_.hwnd(), &suggested);
    SendMessageW(player_.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_GT(player_.Bar().Size().cy, bar96.cy * 3 / 2);
    EXPECT_EQ(ClientSize(player_.hwnd()).cy, SurfaceSize().cy + player_.Bar().Size().cy);
}

// The video moves, whatever its name.
TEST_F(ExercisePlayer, VideoPlays) {
    for (const char* file : {kVideo, kWideNamedVideo}) {
        Present(file, 1);
        const std::vector<std::uint32_t> before = Capture(player_.Surface().hwnd());
        Pump(1000);
        EXPECT_NE(Capture(player_.Surface().hwnd()), before) << file;
        player_.CloseVideo();
    }
}

TEST_F(ExercisePlayer, PictureShowsItsFileAndOtherFilesNothing) {
    SIZE size{};
    const std::vector<std::uint32_t> file =
        PixelsOfFile(harness::BinDir() + L"\\test-media\\" + rilto::Widen(kPicture), &size);
    ASSERT_GT(size.cx, 0);
    Present(kVideo, 0);
    Present(kPicture, 0, false);
    EXPECT_EQ(VideoWindow(), nullptr);
    EXPECT_EQ(SurfaceSize().cx, size.cx);
    EXPECT_EQ(SurfaceSize().cy, size.cy);
    EXPECT_EQ(Capture(player_.Surface().hwnd()), file);

    // Not a picture nor a video: the surface stays as it was.
    Present("exercise.gif", 0, false);
    EXPECT_EQ(SurfaceSize().cx, size.cx);
    EXPECT_EQ(Capture(player_.Surface().hwnd()), file);

    // A picture that is not there: an empty, black surface.
    Present("missing.bmp", 0, false);
    for (std::uint32_t p : Capture(player_.Surface().hwnd())) {
        ASSERT_EQ(p, 0u);
    }
}

TEST_F(ExercisePlayer, BlankModeCoversTheWorkAreaUntilTheBreakEnds) {
    settings_.BlankX = true;
    Present(kVideo, 1);
    RECT work{};
    RECT window{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(player_.hwnd(), &window);
    EXPECT_TRUE(window.left <= work.left && window.top <= work.top && window.right >= work.right &&
                window.bottom >= work.bottom);
    EXPECT_TRUE(IsWindowVisible(player_.hwnd()));
    EXPECT_TRUE(harness::IsTopmost(player_.hwnd()));
    // The video in the middle of what the bar leaves, the bar at the bottom.
    RECT surface{};
    RECT bar{};
    RECT client{};
    GetClientRect(player_.hwnd(), &client);
    MapWindowPoints(player_.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(player_.Surface().hwnd(), &surface);
    GetWindowRect(player_.Bar().hwnd(), &bar);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_LE(std::abs((bar.left - client.left) - (client.right - bar.right)), 1);
    EXPECT_LE(std::abs((surface.left - client.left) - (client.right - surface.right)), 1);
    EXPECT_LE(std::abs((surface.top - client.top) - (bar.top - surface.bottom)), 1);
    harness::SaveScreenshot(L"player-blank");

    player_.ClosePlayer();
    EXPECT_FALSE(IsWindowVisible(player_.hwnd()));
    EXPECT_FALSE(harness::IsTopmost(player_.hwnd()));
}

TEST_F(ExercisePlayer, ClicksKeysAndButtonsRaiseTheirEvents) {
    Present(kVideo, 0);
    ASSERT_NE(VideoWindow(), nullptr);
    Click(VideoWindow());
    Pump(50);
    EXPECT_EQ(skips_, 1);
    Click(VideoWindow());
    Pump(50);
    EXPECT_EQ(ends_, 1);
    // Further apart than a double click: two clicks again.
    Pump(GetDoubleClickTime() + 100);
    Click(VideoWindow());
    Pump(50);
    EXPECT_EQ(skips_, 2);
    EXPECT_EQ(ends_, 1);

    // ESC wherever the focus is; and the close box asks, too.
    for (HWND target : {player_.hwnd(), player_.Bar().Button(MediaButton::Next), VideoWindow()}) {
        PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    Pump(100);
    EXPECT_EQ(stops_, 3);
    SendMessageW(player_.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(stops_, 4);
    EXPECT_TRUE(IsWindow(player_.hwnd()));

    // Pause and play take turns in one place.
    EXPECT_TRUE(Shown(MediaButton::Pause));
    EXPECT_FALSE(Shown(MediaButton::Play));
    Press(MediaButton::Pause);
    EXPECT_TRUE(Shown(MediaButton::Play));
    EXPECT_FALSE(Shown(MediaButton::Pause));
    Press(MediaButton::Play);
    EXPECT_TRUE(Shown(MediaButton::Pause));
    EXPECT_EQ(toggles_, 2);
    Press(MediaButton::Next);
    Press(MediaButton::Previous);
    Press(MediaButton::Stop);
    EXPECT_EQ(skips_, 3);
    EXPECT_EQ(previous_, 1);
    EXPECT_EQ(stops_, 5);
    player_.PrepareBreak();
    EXPECT_TRUE(Shown(MediaButton::Pause));
}

// The process's handles. Wine does not count them (GetProcessHandleCount answers 0):
// then every handle value that names something is counted.
DWORD HandleCount() {
    DWORD n = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &n) && n != 0) {
        return n;
    }
    DWORD flags = 0;
    for (ULONG_PTR h = 4; h < 0x10000; h += 4) {
        n += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) ? 1 : 0;
    }
    return n;
}

// Each exercise frees what the one before held. (Wine counts no GDI objects either;
// there the first picture being gone stands for them.)
TEST_F(ExercisePlayer, ManyExercisesHoldNoMoreHandles) {
    const auto gdi = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    Present(kVideo, 0);
    Present(kPicture, 0, false);
    const HBITMAP firstPicture = player_.Surface().Picture();
    ASSERT_NE(firstPicture, nullptr);
    const DWORD gdiBefore = gdi();
    const DWORD handlesBefore = HandleCount();
    for (int i = 0; i < 100; ++i) {
        player_.CloseVideo();
        player_.PresentExercise(kVideo, false);
        player_.CloseVideo();
        player_.PresentExercise(kPicture, false);
        Pump(0);
    }
    EXPECT_EQ(GetObjectType(firstPicture), 0u);
    EXPECT_LE(gdi(), gdiBefore + 8);
    EXPECT_LE(HandleCount(), handlesBefore + 16);
}

}  // namespace
