// The Statistics window in this process, with the program's manifest, fed thirty days
// of planted figures: one window however often it is shown, the store read each time,
// the switch to 30 days, every stored day up to today on the clipboard as CSV, read when
// Copy is pressed, ESC, and a layout that keeps every control inside the window at twice
// the DPI.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/day_figures.h"
#include "common/wide_text_win.h"
#include "statistics/frm_statistics_win.h"
#include "support/harness.h"

namespace {

using rilto::DayCount;
using rilto::DayFigures;
using rilto::FrmStatistics;

constexpr char kToday[] = "2024-11-30";

// November 2024 and the last day of October, stored newest first.
std::vector<DayFigures> Planted() {
    std::vector<DayFigures> days;
    for (int d = 30; d >= 0; --d) {
        DayFigures day;
        day.date = d == 0 ? "2024-10-31" : rilto::DateName(2024, 11, d);
        day[DayCount::micropauses] = 8 + (d * 7) % 13;
        day[DayCount::skipped] = d % 4;
        day[DayCount::natural] = (d * 5) % 7;
        day[DayCount::exercises] = d % 3 == 0 ? d % 6 / 3 + 1 : 0;
        day[DayCount::postponed] = d % 5 == 0 ? 1 : 0;
        day[DayCount::activeMinutes] = 200 + d * 3;
        days.push_back(day);
    }
    return days;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
            if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = locked;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return text;
}

// A control's place in its parent's client area.
RECT PlaceOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class StatisticsWindow : public ::testing::Test {
  protected:
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        return harness::WaitUntil(done, ms,
                                  [this](MSG* msg) { return window_.TranslateDialogMessage(msg); });
    }
    void ShowAndWait() {
        ASSERT_TRUE(window_.Show());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window_.hwnd(); }, 3000));
    }
    HWND C(int id) const { return GetDlgItem(window_.hwnd(), id); }

    int reads_ = 0;
    std::vector<DayFigures> store_ = Planted();
    FrmStatistics window_{[this] {
                              ++reads_;
                              return store_;
                          },
                          [] { return std::string(kToday); }};
};

TEST_F(StatisticsWindow, ShowingTwiceKeepsOneWindowAndReadsTheStoreAfresh) {
    ShowAndWait();
    const HWND first = window_.hwnd();
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), rilto::kStatisticsTitle), 1);
    EXPECT_EQ(harness::TextOf(first), rilto::kStatisticsTitle);
    EXPECT_EQ(reads_, 1);
    EXPECT_EQ(rilto::Narrow(harness::TextOf(C(rilto::kStatisticsTodayId))),
              "Today: 10 micropauses taken, 2 skipped, 3 natural; 1 exercise break, 1 postponed, "
              "0 ended early; 290 active minutes.");
    EXPECT_EQ(window_.Span(), rilto::kWeekSpan);
    EXPECT_EQ(IsDlgButtonChecked(first, rilto::kStatisticsWeekId), BST_CHECKED);

    // Today's figures change in the store; the next Show finds them in the same window.
    store_.front()[DayCount::micropauses] = 1;
    harness::OtherProgramWindow other(true);
    ASSERT_TRUE(other.TakeForeground());
    ShowAndWait();
    EXPECT_EQ(window_.hwnd(), first);
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), rilto::kStatisticsTitle), 1);
    EXPECT_EQ(reads_, 2);
    EXPECT_EQ(harness::TextOf(C(rilto::kStatisticsTodayId)).rfind(L"Today: 1 micropause taken,", 0),
              0u);
}

TEST_F(StatisticsWindow, ThirtyDaysSwitchAndEscapeCloses) {
    ShowAndWait();
    SendMessageW(C(rilto::kStatisticsMonthId), BM_CLICK, 0, 0);
    EXPECT_EQ(window_.Span(), rilto::kMonthSpan);
    EXPECT_EQ(IsDlgButtonChecked(window_.hwnd(), rilto::kStatisticsMonthId), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(window_.hwnd(), rilto::kStatisticsWeekId), BST_UNCHECKED);
    UpdateWindow(window_.hwnd());
    harness::PumpFor(300);
    harness::SaveScreenshot(L"statistics");

    SendMessageW(C(rilto::kStatisticsWeekId), BM_CLICK, 0, 0);
    EXPECT_EQ(window_.Span(), rilto::kWeekSpan);

    SetFocus(C(rilto::kStatisticsCopyId));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !window_.IsOpen(); }, 2000));
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), rilto::kStatisticsTitle), 0);
    ShowAndWait();
    EXPECT_EQ(harness::CountProcessWindows(GetCurrentProcessId(), rilto::kStatisticsTitle), 1);
}

TEST_F(StatisticsWindow, CopyPutsEveryStoredDayOnTheClipboardAsCsv) {
    ShowAndWait();
    SendMessageW(C(rilto::kStatisticsCopyId), BM_CLICK, 0, 0);
    const std::string csv = rilto::Narrow(ClipboardText());
    const std::string header =
        "date,micropauses,skipped,natural,exercises,postponed,endedEarly,activeMinutes\r\n";
    ASSERT_EQ(csv.substr(0, header.size()), header);
    // Thirty-one days, oldest first, each line ended with CRLF.
    std::vector<std::string> rows;
    for (std::size_t at = header.size(); at < csv.size();) {
        const std::size_t end = csv.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << csv.substr(at);
        rows.push_back(csv.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(rows.size(), 31u);
    EXPECT_EQ(rows[0], "2024-10-31,8,0,0,1,1,0,200");
    EXPECT_EQ(rows[1], "2024-11-01,15,1,5,0,0,0,203");
    EXPECT_EQ(rows[3], "2024-11-03,16,3,1,2,0,0,209");
    EXPECT_EQ(rows[6], "2024-11-06,11,2,2,1,0,0,218");
    EXPECT_EQ(rows[30], "2024-11-30,10,2,3,1,1,0,290");
}

// The figures change while the window is open, and a day ahead of today appears, booked
// while the date was wrong: Copy writes the figures as they are now, up to today.
TEST_F(StatisticsWindow, CopyWritesTheFiguresAsTheyAreNowUpToToday) {
    ShowAndWait();
    store_.front()[DayCount::micropauses] = 42;
    DayFigures ahead;
    ahead.date = "2025-11-30";
    ahead[DayCount::micropauses] = 5;
    store_.insert(store_.begin(), ahead);
    SendMessageW(C(rilto::kStatisticsCopyId), BM_CLICK, 0, 0);
    const std::string csv = rilto::Narrow(ClipboardText());
    EXPECT_NE(csv.find("\r\n2024-11-30,42,2,3,1,1,0,290\r\n"), std::string::npos) << csv;
    EXPECT_EQ(csv.find("2025-"), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 32);  // the header and 31 days
}

TEST_F(StatisticsWindow, EveryControlStaysInsideAtTwiceTheDpi) {
    ShowAndWait();
    const RECT copyBefore = PlaceOf(C(rilto::kStatisticsCopyId));
    harness::SendDpiChange(window_.hwnd(), 192);
    harness::PumpFor(100);
    RECT client{};
    GetClientRect(window_.hwnd(), &client);
    for (const int id :
         {rilto::kStatisticsTodayId, rilto::kStatisticsWeekId, rilto::kStatisticsMonthId,
          rilto::kStatisticsCopyId, rilto::kStatisticsCloseId}) {
        const RECT r = PlaceOf(C(id));
        EXPECT_GE(r.left, 0) << id;
        EXPECT_GE(r.top, 0) << id;
        EXPECT_LE(r.right, client.right) << id;
        EXPECT_LE(r.bottom, client.bottom) << id;
    }
    const RECT copyAfter = PlaceOf(C(rilto::kStatisticsCopyId));
    EXPECT_NEAR(copyAfter.bottom - copyAfter.top, (copyBefore.bottom - copyBefore.top) * 2, 4);
    // The radio buttons do not overlap, and today's words are not cut: the label is as
    // tall as its wrapped text.
    EXPECT_LE(PlaceOf(C(rilto::kStatisticsWeekId)).right,
              PlaceOf(C(rilto::kStatisticsMonthId)).left);
    const RECT words = PlaceOf(C(rilto::kStatisticsTodayId));
    EXPECT_GT(words.bottom - words.top, 20);
}

}  // namespace
