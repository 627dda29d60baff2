// The About box in this process, made from its template, with a version resource and
// the program's icon as the program has them: one box however often it is asked for,
// the version from the resource, its place on the work area, OK and ESC destroying it,
// and its pictures drawn for the DPI.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "common/version.h"
#include "common/wide_text_win.h"
#include "settings/frm_about_ids.h"
#include "settings/frm_about_tevrin_win.h"
#include "support/harness.h"

namespace {

using rilto::FrmAboutTevrin;

constexpr wchar_t kCaption[] = L"About Rilto";

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP b{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof b, &b) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{b.bmWidth, b.bmHeight};
}

class AboutBox : public ::testing::Test {
  protected:
    // The program's message loop: the box sees each message first.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        return harness::WaitUntil(done, ms,
                                  [this](MSG* msg) { return about_.TranslateDialogMessage(msg); });
    }
    void ShowAndWait() {
        ASSERT_TRUE(about_.Show(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == about_.hwnd(); }, 3000));
    }
    HWND C(int id) const { return GetDlgItem(about_.hwnd(), id); }
    HBITMAP Picture() const {
        return reinterpret_cast<HBITMAP>(
            SendMessageW(C(IDC_ABOUT_IMGPIC), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    FrmAboutTevrin about_;
};

TEST_F(AboutBox, ShowingTwiceKeepsOneBoxAndBringsItToTheFront) {
    ShowAndWait();
    const HWND first = about_.hwnd();
    harness::SaveScreenshot(L"about");

    // Another window takes the foreground; the second Show brings the same box back.
    harness::OtherProgramWindow other(true);
    ASSERT_TRUE(other.TakeForeground());
    ShowAndWait();
    EXPECT_EQ(about_.hwnd(), first);
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), kCaption), 1);
    EXPECT_TRUE(IsWindowVisible(first));
}

TEST_F(AboutBox, ShowsTheVersionOfItsVersionResource) {
    ShowAndWait();
    const std::wstring fromResource = rilto::ModuleVersionLabel(GetModuleHandleW(nullptr));
    ASSERT_EQ(rilto::Narrow(fromResource), rilto::VersionLabel());

    const std::string label = rilto::Narrow(harness::TextOf(C(IDC_ABOUT_LBLVERSION)));
    std::smatch number;
    ASSERT_TRUE(std::regex_search(label, number, std::regex(R"((\S+)$)"))) << label;
    EXPECT_EQ(number[1].str(), rilto::VersionLabel()) << label;
    EXPECT_TRUE(std::regex_match(
        number[1].str(), std::regex(R"((0|[1-9][0-9]*)\.(0|[1-9][0-9]*)\.(0|[1-9][0-9]*))")))
        << label;
}

TEST_F(AboutBox, StandsAtAThirdOfTheFreeSpaceOfTheWorkArea) {
    ShowAndWait();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT box = ScreenRect(about_.hwnd());
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    EXPECT_EQ(box.left, work.left + (work.right - work.left - width) / 3);
    EXPECT_EQ(box.top, work.top + (work.bottom - work.top - height) / 3);
}

TEST_F(AboutBox, OkDestroysTheBoxAndTheNextShowMakesANewOne) {
    ShowAndWait();
    const HWND first = about_.hwnd();
    SendMessageW(C(IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(about_.IsOpen());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), kCaption), 0);

    ShowAndWait();
    EXPECT_TRUE(about_.IsOpen());
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), kCaption), 1);
    EXPECT_TRUE(IsWindowVisible(about_.hwnd()));
    EXPECT_NE(Picture(), nullptr);
}

TEST_F(AboutBox, EscapeAndTheCloseBoxDestroyTheBoxToo) {
    ShowAndWait();
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !about_.IsOpen(); }, 2000));

    ShowAndWait();
    SendMessageW(about_.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !about_.IsOpen(); }, 2000));
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), kCaption), 0);
}

TEST_F(AboutBox, PicturesAreDrawnForTheDpiAndFollowAChange) {
    ShowAndWait();
    const SIZE before = BitmapSize(Picture());
    ASSERT_GT(before.cx, 0);
    // The picture keeps its shape and fits its control.
    EXPECT_NEAR(before.cx * 2, before.cy * 3, 3);
    RECT control{};
    GetClientRect(C(IDC_ABOUT_IMGPIC), &control);
    EXPECT_LE(before.cx, control.right);
    EXPECT_LE(before.cy, control.bottom);
    EXPECT_NE(SendMessageW(C(IDC_ABOUT_PICTURE1), STM_GETIMAGE, IMAGE_ICON, 0), 0);

    // From 96 to 144 DPI: the box takes the suggested rectangle, and the picture and
    // the controls grow by half.
    const RECT box = ScreenRect(about_.hwnd());
    const RECT ok = ScreenRect(C(IDOK));
    const RECT suggested{box.left, box.top, box.left + (box.right - box.left) * 3 / 2,
                         box.top + (box.bottom - box.top) * 3 / 2};
    SendMessageW(about_.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT after = ScreenRect(about_.hwnd());
    EXPECT_EQ(after.left, suggested.left);
    EXPECT_EQ(after.top, suggested.top);
    EXPECT_EQ(after.right, suggested.right);
    EXPECT_EQ(after.bottom, suggested.bottom);
    const SIZE grown = BitmapSize(Picture());
    EXPECT_NEAR(grown.cx, before.cx * 3 / 2, 2);
    EXPECT_NEAR(grown.cy, before.cy * 3 / 2, 2);
    const RECT okAfter = ScreenRect(C(IDOK));
    EXPECT_NEAR(okAfter.right - okAfter.left, (ok.right - ok.left) * 3 / 2, 2);
    // Everything still inside the client area.
    RECT client{};
    GetClientRect(about_.hwnd(), &client);
    MapWindowPoints(about_.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_LE(okAfter.bottom, client.bottom);
    EXPECT_LE(okAfter.right, client.right);
}

}  // namespace
