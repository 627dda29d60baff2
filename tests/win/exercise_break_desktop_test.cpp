// An exercise break beside the rest of the desktop, end to end in the running program:
// a preview in the settings dialog while the break plays its video, and another
// program holding the foreground and the keyboard while the break runs.

#include <windows.h>

#include "exercise/frm_x_ids.h"
#include "support/exercise_support.h"
#include "support/settings_window.h"

namespace harness {
namespace {

constexpr wchar_t kQuitTitle[] = L"Rilto Exercise Break";

class ExerciseBreakDesktopTest : public SettingsWindowTest {
  protected:
    // The program started with the scheme in use, shown small in a window of its own; no
    // default settings imported over them.
    void StartWithScheme(const std::vector<SchemeEntry>& entries) {
        WriteSetting(L"Options", L"Initialised", L"1");
        WriteSetting(L"Exercise", L"BlankX", L"0");
        WriteSetting(L"Exercise", L"ViewAm", L"0");
        WriteSetting(L"Exercise", L"Scheme", L"Test");
        WriteScheme(L"Test", entries);
        Start();
    }
    HWND StartBreak() {
        Command(IDM_EXERCISE);
        WaitUntil([&] { return PlayerWindow(running_.Id()) != nullptr; }, kWait);
        return PlayerWindow(running_.Id());
    }
    bool WaitForCaption(HWND player, const std::wstring& start) {
        return WaitUntil([&] { return TextOf(player).rfind(start, 0) == 0; }, kWait);
    }
    // A button pressed as its click tells its parent, whichever window is active.
    static void Press(HWND button) {
        PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    static HWND BarButton(HWND player, int id) {
        return GetDlgItem(GetDlgItem(player, IDC_X_BAR), id);
    }
    // A program holds ESC as its hot key: this one cannot have it.
    static bool EscapeIsTaken() {
        constexpr int kProbe = 0x7000;
        if (!RegisterHotKey(nullptr, kProbe, 0, VK_ESCAPE)) {
            return true;
        }
        UnregisterHotKey(nullptr, kProbe);
        return false;
    }
    // The video device's window is a child of the surface it plays on.
    static bool HasVideo(HWND surface) { return GetWindow(surface, GW_CHILD) != nullptr; }
    // Message boxes of the player's question on the desktop; only the program shows them.
    static int QuitQuestions() {
        int n = 0;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", kQuitTitle)) != nullptr;) {
            n += IsWindowVisible(w) ? 1 : 0;
        }
        return n;
    }
};

// The break's video and the preview's are two devices: neither opening nor closing the
// one touches the other.
TEST_F(ExerciseBreakDesktopTest, APreviewDuringABreakLeavesTheBreaksVideoPlaying) {
    const std::wstring video = FirstMediaFile(L".avi");
    ASSERT_FALSE(video.empty());
    WriteSetting(L"Exercise", L"NumAtaTime", L"2");
    StartWithScheme({{video, L"Moving", 60}});
    const HWND player = StartBreak();
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(WaitForCaption(player, L"Gently now... ("));
    Press(BarButton(player, IDC_X_NEXT));
    ASSERT_TRUE(WaitForCaption(player, L"Moving (")) << TextOf(player);
    const HWND breakSurface = PlayerSurface(player);
    ASSERT_TRUE(WaitUntil([&] { return HasVideo(breakSurface); }, kWait));

    OpenSchemePage();
    const HWND previewSurface = Control(IDC_AM);
    const auto preview = [&] {
        Press(Control(IDC_CMDPREVIEW));
        return WaitUntil([&] { return HasVideo(previewSurface); }, kWait);
    };
    const auto done = [&] {
        Press(Control(IDC_CMDDONE));
        return WaitUntil([&] { return !IsWindowVisible(Control(IDC_PICMOVIE)); }, kWait);
    };
    ASSERT_TRUE(preview());
    PumpFor(500);
    EXPECT_TRUE(HasVideo(breakSurface));
    ASSERT_TRUE(done());
    PumpFor(500);
    EXPECT_TRUE(HasVideo(breakSurface));

    // The break ends (its second exercise is its last) while a preview plays.
    ASSERT_TRUE(preview());
    Press(BarButton(player, IDC_X_NEXT));
    ASSERT_TRUE(WaitUntil([&] { return PlayerWindow(running_.Id()) == nullptr; }, kWait));
    PumpFor(500);
    EXPECT_TRUE(HasVideo(previewSurface));
    EXPECT_TRUE(done());
    EXPECT_FALSE(HasVideo(previewSurface));
}

// Windows may refuse the player the foreground; ESC must still reach the break, and
// only while it runs.
TEST_F(ExerciseBreakDesktopTest, EscapeReachesTheBreakWhileAnotherProgramHasTheKeyboard) {
    const std::wstring picture = FirstMediaFile(L".bmp");
    ASSERT_FALSE(picture.empty());
    OtherProgramWindow other(true);
    StartWithScheme({{picture, L"Still", 3}, {picture, L"Still again", 3}});
    const HWND player = StartBreak();
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(WaitForCaption(player, L"Gently now... ("));
    PumpFor(500);  // the caption comes just before the exercise shows

    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    HWND question = WaitForDialogTitled(kQuitTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(other.KeyDowns(VK_ESCAPE), 0);
    // While it asks, the question has the keys, and a stop asks nothing more.
    EXPECT_FALSE(EscapeIsTaken());
    Press(BarButton(player, IDC_X_STOP));
    PumpFor(700);
    EXPECT_EQ(QuitQuestions(), 1);
    // No: the break goes on, and ESC is caught again.
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, kWait));
    PumpFor(500);  // the answer reaches the player after the box is gone
    EXPECT_NE(PlayerWindow(running_.Id()), nullptr);
    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    question = WaitForDialogTitled(kQuitTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(other.KeyDowns(VK_ESCAPE), 0);

    // Yes ends the break; then ESC is the other program's again.
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([&] { return PlayerWindow(running_.Id()) == nullptr; }, kWait));
    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return other.KeyDowns(VK_ESCAPE) == 1; }, 3000));
}

}  // namespace
}  // namespace harness
