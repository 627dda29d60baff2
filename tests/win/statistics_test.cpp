// The day's figures in the real program: a micropause run to its end and one ended with
// ESC are stored for today; "S&tatistics..." opens one "Rilto Statistics" window however
// often it is asked for; "&Copy" puts every stored day up to today on the clipboard as
// CSV, as the figures stand when it is pressed.

#include <windows.h>

#include <string>

#include "statistics/frm_statistics_win.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kWait = harness::kShowWait;
constexpr wchar_t kTitle[] = L"Rilto Statistics";

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class StatisticsTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Micropause", L"InterruptEvery", L"60");
        DeleteSection(L"Statistics");
    }
};

TEST_F(StatisticsTest, MicropausesAreCountedShownAndCopied) {
    // Ninety days with today's: a hundred days ago is beyond them; three days ago is kept,
    // and so is a day ahead of today, booked while the date was wrong.
    WriteSetting(L"Statistics", LocalDate(3), L"micropauses=7;skipped=2;future=1");
    WriteSetting(L"Statistics", LocalDate(100), L"micropauses=1");
    WriteSetting(L"Statistics", LocalDate(-30), L"micropauses=9");
    for (const int daysAgo : {1, 2}) {
        WriteSetting(L"Statistics", LocalDate(daysAgo), L"micropauses=1");
    }
    for (int daysAgo = 4; daysAgo < 90; ++daysAgo) {
        WriteSetting(L"Statistics", LocalDate(daysAgo), L"micropauses=1");
    }
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));  // three seconds, to its end
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(500);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));

    // Asked twice: one window. Opening it writes what was counted.
    Command(IDM_POPUP_STATISTICS);
    Command(IDM_POPUP_STATISTICS);
    ASSERT_TRUE(WaitUntil([&] { return CountProcessWindows(running_.Id(), kTitle) > 0; }, kWait));
    PumpFor(500);
    EXPECT_EQ(CountProcessWindows(running_.Id(), kTitle), 1);
    const std::wstring stored = ReadSetting(L"Statistics", LocalDate()).value_or(L"");
    EXPECT_EQ(stored.rfind(L"micropauses=1;skipped=1;", 0), 0u) << stored;
    EXPECT_EQ(ReadSetting(L"Statistics", LocalDate(3)).value_or(L""),
              L"micropauses=7;skipped=2;future=1")
        << "a day not counted is not rewritten";
    EXPECT_FALSE(ReadSetting(L"Statistics", LocalDate(100)).has_value());
    EXPECT_TRUE(ReadSetting(L"Statistics", LocalDate(89)).has_value());
    EXPECT_TRUE(ReadSetting(L"Statistics", LocalDate(-30)).has_value());

    const HWND window = FindProcessWindow(running_.Id(), kTitle);
    const HWND copy = DescendantWithId(window, rilto::kStatisticsCopyId);
    ASSERT_NE(copy, nullptr);
    SendMessageW(copy, BM_CLICK, 0, 0);
    const std::wstring csv = ClipboardText();
    EXPECT_EQ(csv.rfind(L"date,micropauses,skipped,natural,exercises,postponed,endedEarly,"
                        L"activeMinutes\r\n",
                        0),
              0u)
        << std::string(csv.begin(), csv.end());
    EXPECT_NE(csv.find(LocalDate(3) + L",7,2,0,0,0,0,0\r\n"), csv.npos);
    EXPECT_NE(csv.find(LocalDate() + L",1,1,"), csv.npos);
    EXPECT_EQ(csv.find(LocalDate(-30)), csv.npos) << "a day ahead of today is left out";
    SaveScreenshot(L"statistics-running");

    // Another micropause while the window is open: Copy writes it, not what the window
    // read when it opened.
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));
    ASSERT_EQ(FindProcessWindow(running_.Id(), kTitle), window);
    SendMessageW(copy, BM_CLICK, 0, 0);
    const std::wstring again = ClipboardText();
    EXPECT_NE(again.find(LocalDate() + L",2,1,"), again.npos)
        << std::string(again.begin(), again.end());
}

}  // namespace
}  // namespace harness
