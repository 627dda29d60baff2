// The exercise reminder in this process, made from its template with the program's
// manifest: found by its window class, shown topmost at the corner of the work area
// without taking the focus, its spin buttons stepping the minutes, its answers told,
// and its controls inside it at 96 and at 144 DPI.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "exercise/frm_chk_exercise_ids.h"
#include "exercise/frm_chk_exercise_win.h"
#include "support/harness.h"

namespace {

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

class Reminder : public ::testing::Test {
  protected:
    void SetUp() override {
        rilto::FrmChkExerciseEvents events;
        events.exerciseNow = [this] {
            answers_.push_back("now");
            return true;
        };
        events.later = [this](const std::string& minutes) { answers_.push_back(minutes); };
        events.closed = [this] { answers_.push_back("closed"); };
        ASSERT_TRUE(reminder_.Create(std::move(events)));
    }
    // The program's message loop: the reminder sees each message first.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        return harness::WaitUntil(
            done, ms, [this](MSG* msg) { return reminder_.TranslateDialogMessage(msg); });
    }
    HWND C(int id) const { return GetDlgItem(reminder_.hwnd(), id); }

    rilto::FrmChkExercise reminder_;
    std::vector<std::string> answers_;
};

TEST_F(Reminder, ComesUpTopmostInTheCornerWithoutTheFocus) {
    const HWND reminder = reminder_.hwnd();
    EXPECT_FALSE(IsWindowVisible(reminder));
    EXPECT_EQ(FindWindowW(L"" RILTO_REMINDER_CLASS, L"Exercise..."), reminder);
    harness::OtherProgramWindow typing(true);
    ASSERT_TRUE(typing.TakeForeground());

    reminder_.Show("10");
    harness::PumpFor(300);
    EXPECT_TRUE(IsWindowVisible(reminder));
    EXPECT_TRUE(harness::IsTopmost(reminder));
    EXPECT_EQ(GetForegroundWindow(), typing.hwnd());
    EXPECT_EQ(harness::TextOf(C(IDC_CHK_MINUTES)), L"10");
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT frame = ScreenRect(reminder);
    EXPECT_EQ(work.right - frame.right, work.bottom - frame.bottom);
    EXPECT_GT(work.right - frame.right, 0);

    // The tab order of the template: the break now, the minutes, later.
    const int order[] = {IDC_CHK_OK, IDC_CHK_MINUTES, IDC_CHK_LATER, IDC_CHK_OK};
    HWND at = C(IDC_CHK_OK);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        at = GetNextDlgTabItem(reminder, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), order[i]) << i;
    }
}

TEST_F(Reminder, SpinButtonsStepTheMinutesAndEveryAnswerIsTold) {
    reminder_.Show("10");
    PumpUntil([] { return false; }, 200);
    // The spin buttons' upper half, then their lower half twice.
    const RECT spin = ScreenRect(C(IDC_CHK_UPDOWN));
    const int x = (spin.left + spin.right) / 2;
    harness::ClickAt(x, spin.top + 2, false);
    EXPECT_TRUE(PumpUntil([&] { return harness::TextOf(C(IDC_CHK_MINUTES)) == L"11"; }, 2000));
    for (int i = 0; i < 2; ++i) {
        harness::ClickAt(x, spin.bottom - 3, false);
        PumpUntil([] { return false; }, 300);
    }
    EXPECT_EQ(harness::TextOf(C(IDC_CHK_MINUTES)), L"9");

    SendMessageW(C(IDC_CHK_LATER), BM_CLICK, 0, 0);
    SendMessageW(C(IDC_CHK_OK), BM_CLICK, 0, 0);
    // ESC, once the user has clicked into it, closes it without an answer.
    PostMessageW(C(IDC_CHK_OK), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(reminder_.hwnd()); }, 2000));
    EXPECT_EQ(answers_, (std::vector<std::string>{"9", "now", "closed"}));
}

TEST_F(Reminder, EveryControlStaysInsideAt96And144Dpi) {
    reminder_.Show("5");
    for (const UINT dpi : {96u, 144u}) {
        if (dpi != 96) {
            harness::SendDpiChange(reminder_.hwnd(), dpi);
        }
        RECT client{};
        GetClientRect(reminder_.hwnd(), &client);
        MapWindowPoints(reminder_.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        for (HWND c = GetWindow(reminder_.hwnd(), GW_CHILD); c != nullptr;
             c = GetWindow(c, GW_HWNDNEXT)) {
            const RECT r = ScreenRect(c);
            EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(c) << " at " << dpi;
        }
        // The frame and the buttons grow with the font.
        const RECT frame = ScreenRect(C(IDC_CHK_FRAME));
        const RECT now = ScreenRect(C(IDC_CHK_OK));
        EXPECT_LT(now.right, frame.left) << dpi;
        EXPECT_GE(frame.right - frame.left, MulDiv(140, static_cast<int>(dpi), 96)) << dpi;
    }
}

}  // namespace
