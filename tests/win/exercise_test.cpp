// Exercise breaks end to end: the real rilto32 with the exercise media the build made,
// driven through the tray's commands and the reminder, observed through its windows and
// the store as another program on the desktop would.

#include <filesystem>
#include <fstream>

#include "exercise/exercise_table.h"
#include "exercise/frm_chk_exercise_ids.h"
#include "exercise/frm_x_ids.h"
#include "engine/frm_rilto_ids.h"
#include "support/exercise_support.h"
#include "support/rilto_test.h"

namespace harness {
namespace {

constexpr DWORD kShowMs = 20000;
// The minute of the tests that wait for the reminder: more than the test needs to take
// the foreground or read a label the program has just set.
constexpr DWORD kShortMinute = 4000;

// A picture's size, from its file header.
SIZE BitmapSize(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(BinPath(file)), std::ios::binary);
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    in.read(reinterpret_cast<char*>(&header), sizeof header);
    in.read(reinterpret_cast<char*>(&info), sizeof info);
    return {info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

class ExerciseTest : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
        video_ = FirstMediaFile(L".avi");
        picture_ = FirstMediaFile(L".bmp");
        ASSERT_FALSE(video_.empty());
        ASSERT_FALSE(picture_.empty());
    }

    HWND WaitForPlayer() {
        WaitUntil([&] { return PlayerWindow(running_.Id()) != nullptr; }, kShowMs);
        return PlayerWindow(running_.Id());
    }
    bool WaitForCaption(HWND player, const std::wstring& start, DWORD ms = kShowMs) {
        return WaitUntil([&] { return TextOf(player).rfind(start, 0) == 0; }, ms);
    }
    // The first exercise of a break, `title` of `seconds`, has had its first second.
    // The caption comes before the player has placed its surface; by the first tick the
    // surface is in place and a click on it counts.
    bool WaitForFirstTick(HWND player, const std::wstring& title, int seconds) {
        return WaitUntil(
            [&] {
                const std::wstring caption = TextOf(player);
                const auto left = SecondsInCaption(caption);
                return caption.rfind(title + L" (", 0) == 0 && left && *left < seconds;
            },
            kShowMs);
    }
    bool WaitForTitleTick(HWND player) {
        return WaitForFirstTick(player, L"Gently now...", rilto::kTitleSeconds);
    }
    bool WaitUntilHidden(DWORD ms) {
        return WaitUntil([&] { return PlayerWindow(running_.Id()) == nullptr; }, ms);
    }
    // A break's first clip has had its second; a double click then ends the break.
    void EndAfterTheTitle(HWND player) {
        ASSERT_TRUE(WaitForTitleTick(player)) << TextOf(player);
        const POINT centre = CentreOf(PlayerSurface(player));
        DoubleClickAt(centre.x, centre.y);
        ASSERT_TRUE(WaitUntilHidden(3000)) << TextOf(player);
    }
    // The reminder is due within the minute of the countdown.
    bool WaitForReminder() {
        return WaitUntil([&] { return ReminderWindow(running_.Id()) != nullptr; },
                         2 * minute_ + kShowMs);
    }
    // A short minute for the reminder to come within seconds, and no micropause from the
    // countdown in the way.
    void ShortMinuteAndNoMicropause() {
        ShortenMinute(kShortMinute);
        WriteSetting(L"Micropause", L"InterruptEvery", L"1000");
    }
    // The pixels of the surface change from one second to the next: the video plays.
    bool SurfaceMoves(HWND player) {
        const auto before = ScreenChecksum(PlayerSurface(player));
        PumpFor(1200);
        const auto after = ScreenChecksum(PlayerSurface(player));
        return before && after && *before != *after;
    }
    std::wstring ExerciseLabel() { return TextOf(FormControl(IDC_LBLEXERCISE)); }
    // The label is set just after the player goes.
    bool LabelBecomes(const std::wstring& text) {
        return WaitUntil([&] { return ExerciseLabel() == text; }, 2000);
    }

    std::wstring video_;
    std::wstring picture_;
};

TEST_F(ExerciseTest, ABreakFromTheTrayPlaysVideosAndPicturesCountingDown) {
    WriteSetting(L"Exercise", L"BlankX", L"0");
    WriteSetting(L"Exercise", L"ViewAm", L"1");
    WriteSetting(L"Exercise", L"NumAtaTime", L"4");
    WriteSetting(L"Exercise", L"Scheme", L"Test");
    WriteScheme(
        L"Test",
        {{video_, L"Moving", 30}, {L"missing.avi", L"Missing", 2}, {picture_, L"Still", 2}});
    Start();

    Command(IDM_EXERCISE);
    const HWND player = WaitForPlayer();
    ASSERT_NE(player, nullptr);
    // The first break after start-up opens with the title clip, counting down.
    ASSERT_TRUE(WaitForCaption(player, L"Gently now... ("));
    const auto first = SecondsInCaption(TextOf(player));
    EXPECT_TRUE(SurfaceMoves(player));
    PumpFor(1000);
    const auto later = SecondsInCaption(TextOf(player));
    ASSERT_TRUE(first && later);
    EXPECT_LT(*later, *first);
    EXPECT_TRUE(IsTopmost(player));
    EXPECT_EQ(ExerciseLabel(), L"Next Exercise Break: In Progress");

    // A click moves on to the next exercise at the next tick.
    const POINT centre = CentreOf(PlayerSurface(player));
    ClickAt(centre.x, centre.y, false);
    ASSERT_TRUE(WaitForCaption(player, L"Moving (30)", 3000)) << TextOf(player);
    const SIZE videoSize = ClientSize(PlayerSurface(player));
    EXPECT_EQ(videoSize.cx, 319);
    EXPECT_EQ(videoSize.cy, 239);
    EXPECT_TRUE(SurfaceMoves(player));
    SaveScreenshot(L"player-normal");

    // A file that is not there still takes its seconds: 2 seconds are three ticks.
    ClickAt(centre.x, centre.y, false);
    ASSERT_TRUE(WaitForCaption(player, L"Missing (2)", 3000)) << TextOf(player);
    const DWORD missingFrom = GetTickCount();
    ASSERT_TRUE(WaitForCaption(player, L"Still (", 6000)) << TextOf(player);
    EXPECT_GE(GetTickCount() - missingFrom, 2500u);
    const SIZE pictureSize = BitmapSize(picture_);
    const SIZE shown = ClientSize(PlayerSurface(player));
    EXPECT_EQ(shown.cx, pictureSize.cx);
    EXPECT_EQ(shown.cy, pictureSize.cy);
    SaveScreenshot(L"player-picture");

    // Four exercises a break: after the picture the player goes and the countdown to
    // the next break starts again in full.
    ASSERT_TRUE(WaitUntilHidden(6000));
    EXPECT_TRUE(LabelBecomes(L"Next Exercise Break: 49 minutes")) << ExerciseLabel();

    // The next break goes on with the cycle; a double click ends it at the next tick.
    Command(IDM_EXERCISE);
    ASSERT_NE(WaitForPlayer(), nullptr);
    ASSERT_TRUE(WaitForFirstTick(player, L"Moving", 30)) << TextOf(player);
    DoubleClickAt(centre.x, centre.y);
    EXPECT_TRUE(WaitUntilHidden(3000));
    EXPECT_TRUE(LabelBecomes(L"Next Exercise Break: 49 minutes")) << ExerciseLabel();
}

TEST_F(ExerciseTest, ASchemeItemOfTheTrayMenuRunsThatSchemeOnce) {
    WriteSetting(L"Exercise", L"Scheme", L"Test");
    WriteScheme(L"Test", {{video_, L"Moving", 30}});
    WriteScheme(L"Other", {{picture_, L"Other still", 1}, {video_, L"Switched off", 1, false}});
    ListSchemes({L"Test", L"Other"});
    Start();

    // The tray menu, as a second start opens it; the last scheme is three items up from
    // the bottom, above "Pause" and "Shutdown".
    PostMessageW(TrayWindow(), WM_KEYDOWN, 0, 0);
    ASSERT_NE(WaitForMenuKeyboard(running_.Id()), nullptr);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RETURN);

    const HWND player = WaitForPlayer();
    ASSERT_NE(player, nullptr);
    // Picked before any break, the scheme starts with the title clip.
    ASSERT_TRUE(WaitForTitleTick(player)) << TextOf(player);
    const POINT centre = CentreOf(PlayerSurface(player));
    ClickAt(centre.x, centre.y, false);
    EXPECT_TRUE(WaitUntilHidden(8000)) << TextOf(player);
    // The choice lives in memory only.
    EXPECT_EQ(ReadSetting(L"Exercise", L"Scheme").value_or(L""), L"Test");

    // From the menu again, now that a break has run: its one enabled exercise, once.
    PostMessageW(TrayWindow(), WM_KEYDOWN, 0, 0);
    ASSERT_NE(WaitForMenuKeyboard(running_.Id()), nullptr);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    ASSERT_NE(WaitForPlayer(), nullptr);
    EXPECT_TRUE(WaitForCaption(player, L"Other still (")) << TextOf(player);
    EXPECT_TRUE(WaitUntilHidden(4000));
}

// Steps back through a long scheme of videos and pictures with the previous button, so
// that each step loads a new exercise at once: what the program holds must not grow.
TEST_F(ExerciseTest, ThreeHundredStepsLeaveNothingBehind) {
    WriteSetting(L"Exercise", L"BlankX", L"1");
    WriteSetting(L"Exercise", L"Scheme", L"Soak");
    std::vector<SchemeEntry> entries;
    const std::vector<std::wstring> media = MediaFiles();
    for (const std::wstring& f : media) {
        entries.push_back({f, f, 600});
    }
    WriteScheme(L"Soak", entries);
    Start();
    Command(IDM_EXERCISE);
    const HWND player = WaitForPlayer();
    ASSERT_NE(player, nullptr);
    const HWND previous = GetDlgItem(GetDlgItem(player, IDC_X_BAR), IDC_X_PREVIOUS);
    ASSERT_NE(previous, nullptr);
    const auto step = [&](int n) {
        for (int i = 0; i < n; ++i) {
            SendMessageTimeoutW(previous, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        }
        PumpFor(500);
    };
    step(30);
    SaveScreenshot(L"player-blank");
    const Holdings before = HoldingsOf(running_.Handle());
    step(300);
    const Holdings after = HoldingsOf(running_.Handle());
    std::printf("after 30 steps: gdi %lu user %lu handles %lu memory %zu KB\n", before.gdi,
                before.user, before.handles, before.memoryKb);
    std::printf("after 330 steps: gdi %lu user %lu handles %lu memory %zu KB\n", after.gdi,
                after.user, after.handles, after.memoryKb);
    // Wine counts no GDI objects or handles (always 0); Windows does.
    EXPECT_LE(after.gdi, before.gdi + 10);
    EXPECT_LE(after.user, before.user + 10);
    EXPECT_LE(after.handles, before.handles + 10);
    // Each picture or video left behind would hold a few hundred KB.
    EXPECT_LT(after.memoryKb, before.memoryKb + 16 * 1024);
    EXPECT_TRUE(IsWindowVisible(player));
    EXPECT_NE(SecondsInCaption(TextOf(player)), std::nullopt);
}

// The reminder opens when the countdown reaches 0, here at the first short minute.
TEST_F(ExerciseTest, TheReminderComesUpWithoutTheFocusAndOffersNowOrLater) {
    ShortMinuteAndNoMicropause();
    WriteSetting(L"Exercise", L"EveryM", L"1");
    WriteSetting(L"Exercise", L"ProcrastinateM", L"10");
    WriteSetting(L"Exercise", L"Scheme", L"Test");
    WriteScheme(L"Test", {{picture_, L"Still", 30}});
    OtherProgramWindow typing(true);
    Start();
    ASSERT_TRUE(typing.TakeForeground());

    ASSERT_TRUE(WaitForReminder());
    const HWND reminder = ReminderWindow(running_.Id());
    EXPECT_TRUE(IsTopmost(reminder));
    EXPECT_EQ(GetForegroundWindow(), typing.hwnd());
    EXPECT_EQ(TextOf(reminder), L"Exercise...");
    EXPECT_EQ(TextOf(GetDlgItem(reminder, IDC_CHK_MINUTES)), L"10");
    PumpFor(700);  // painted by now
    SaveScreenshot(L"reminder");

    const POINT now = CentreOf(GetDlgItem(reminder, IDC_CHK_OK));
    ClickAt(now.x, now.y, false);
    const HWND player = WaitForPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(ReminderWindow(running_.Id()), nullptr);
    EndAfterTheTitle(player);
    EXPECT_TRUE(LabelBecomes(L"Next Exercise Break: 0 minutes")) << ExerciseLabel();

    // A minute later it is due again: "Later" with more than two hours waits two hours.
    ASSERT_TRUE(WaitForReminder());
    const HWND box = GetDlgItem(reminder, IDC_CHK_MINUTES);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"200"));
    const POINT later = CentreOf(GetDlgItem(reminder, IDC_CHK_LATER));
    ClickAt(later.x, later.y, false);
    ASSERT_TRUE(WaitUntil([&] { return ReminderWindow(running_.Id()) == nullptr; }, 3000));
    EXPECT_EQ(ReadSetting(L"Exercise", L"ProcrastinateM").value_or(L""), L"120");
}

// A break started from the tray while the reminder waits takes the reminder's place: it
// closes, and after the break the countdown runs again, so it comes back a minute later.
TEST_F(ExerciseTest, ABreakFromTheTrayClosesAWaitingReminder) {
    ShortMinuteAndNoMicropause();
    WriteSetting(L"Exercise", L"EveryM", L"1");
    WriteSetting(L"Exercise", L"Scheme", L"Test");
    WriteScheme(L"Test", {{picture_, L"Still", 30}});
    Start();
    ASSERT_TRUE(WaitForReminder());

    Command(IDM_EXERCISE);
    const HWND player = WaitForPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(ReminderWindow(running_.Id()), nullptr);
    EndAfterTheTitle(player);
    EXPECT_TRUE(WaitForReminder());
}

}  // namespace
}  // namespace harness
