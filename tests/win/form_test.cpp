// The main form's keys and clicks in the real program: what may end a micropause and
// what may not, ESC from another program's focus, the double clicks on its labels, the
// end of the user's session; and the break screens kept out of screen capture.

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "common/capture_exclusion.h"
#include "common/wide_text_win.h"
#include "engine/frm_rilto_ids.h"
#include "exercise/frm_chk_exercise_ids.h"
#include "shell/resource.h"
#include "support/rilto_test.h"

using namespace harness;

namespace {

constexpr DWORD kWait = harness::kShowWait;
constexpr wchar_t kLastRilto[] = L"Last rilto micropause: ";
// Long enough that only a skip can end it while a test looks.
constexpr wchar_t kLongMicropause[] = L"60";

// Five whole numbers joined by "/", then how often the hooks were installed again.
bool IsDiagnosticText(const std::wstring& text) {
    constexpr wchar_t kAgain[] = L"; hooks installed again: ";
    const std::size_t again = text.find(kAgain);
    if (again == text.npos || text.size() == again + wcslen(kAgain) ||
        text.find_first_not_of(L"0123456789", again + wcslen(kAgain)) != text.npos) {
        return false;
    }
    const std::wstring s = text.substr(0, again);
    int numbers = 0;
    bool inNumber = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (iswdigit(c) || (c == L'-' && !inNumber)) {
            if (!inNumber) {
                ++numbers;
            }
            inNumber = true;
        } else if (c == L'/' && inNumber) {
            inNumber = false;
        } else {
            return false;
        }
    }
    return inNumber && numbers == 5;
}

class Form : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        WriteSetting(L"Micropause", L"InterruptFor", kLongMicropause);
    }
    void StartMicropause() {
        MicropauseNow();
        ASSERT_TRUE(WaitUntil([&] { return Shown() && IsTopmost(form_); }, kWait));
        PumpFor(300);
    }
    // Still shown after a while: nothing ended it.
    bool StaysShown() {
        PumpFor(1500);
        return Shown();
    }
};

// The status window's OK is not the micropause's: Enter and Alt+F4 end neither kind.
TEST_F(Form, EnterAndAltF4DoNotEndAMicropause) {
    for (const wchar_t* disabled : {L"1", L"0"}) {
        WriteSetting(L"Micropause", L"DisableEsc", disabled);
        Start();
        StartMicropause();
        SetForegroundWindow(form_);
        PressKey(VK_RETURN);
        EXPECT_TRUE(StaysShown()) << "Enter, DisableEsc " << disabled;
        PressKeyWith(VK_MENU, VK_F4);
        EXPECT_TRUE(StaysShown()) << "Alt+F4, DisableEsc " << disabled;
        PostMessageW(form_, WM_CLOSE, 0, 0);
        PostMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(StaysShown()) << "WM_CLOSE, DisableEsc " << disabled;
        StopRilto(running_);
    }
}

// Windows may refuse the micropause screen the foreground: ESC must end it from
// wherever the focus is, and must stay the other program's when escaping is disabled.
TEST_F(Form, EscapeEndsAMicropauseWhileAnotherProgramHasTheFocus) {
    OtherProgramWindow other(true);
    Start();
    StartMicropause();
    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 5000));
    // Once the micropause is over (its time is written last) ESC is the other
    // program's again.
    ASSERT_TRUE(WaitUntil(
        [&] { return TextOf(FormControl(IDC_LBLRILTO)).size() > wcslen(kLastRilto); }, kWait));
    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return other.KeyDowns(VK_ESCAPE) == 1; }, 3000));
    StopRilto(running_);

    WriteSetting(L"Micropause", L"DisableEsc", L"1");
    Start();
    StartMicropause();
    ASSERT_TRUE(other.TakeForeground());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return other.KeyDowns(VK_ESCAPE) == 2; }, 3000));
    EXPECT_TRUE(StaysShown());
}

TEST_F(Form, DoubleClicksOnTheLabels) {
    Start();
    // On lblvoluntary in the status window: the diagnostic numbers.
    Command(IDM_POPUP_STATUS);
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(300);
    const POINT voluntary = CentreOf(FormControl(IDC_LBLVOLUNTARY));
    DoubleClickAt(voluntary.x, voluntary.y);
    const HWND hint = FormControl(IDC_LBLESC);
    std::wstring text;
    EXPECT_TRUE(WaitUntil(
        [&] { return IsDiagnosticText(text = TextOf(hint)) && IsWindowVisible(hint); }, kWait))
        << std::string(text.begin(), text.end());
    PressKey(VK_RETURN);  // the status window's OK
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));

    // On the skip hint during a micropause: it ends.
    StartMicropause();
    const POINT skip = CentreOf(FormControl(IDC_LBLESC));
    DoubleClickAt(skip.x, skip.y);
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, 5000));
}

// Log-off: the copy will not run on, so other programs must not find it in "tray".
TEST_F(Form, TheEndOfTheSessionClearsTray) {
    Start();
    ASSERT_NE(ReadSetting(L"Options", L"tray"), L"0");
    // A sent message whose time-out passes before the program takes it may never be handled, and a
    // loaded machine may keep a starting program busy for seconds: the sends wait long.
    SendMessageTimeoutW(form_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kWait,
                        nullptr);
    SendMessageTimeoutW(form_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kWait, nullptr);
    EXPECT_TRUE(WaitUntil([] { return ReadSetting(L"Options", L"tray") == L"0"; }, kWait));
}

// The break screens as another program finds them: the micropause screen, the exercise
// player and the reminder, each made at start-up and kept hidden until a break.
std::vector<HWND> BreakScreens(HWND form) {
    std::vector<HWND> screens{form};
    for (const wchar_t* windowClass : {L"RiltoExercisePlayer", L"" RILTO_REMINDER_CLASS}) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindWindowW(windowClass, nullptr)) != nullptr; }, kWait);
        screens.push_back(found);
    }
    // Answered from the message loop: start-up, which made and set up the windows, is over.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
    return screens;
}

UINT_PTR AffinityAsked(HWND window) {
    return reinterpret_cast<UINT_PTR>(GetPropW(window, rilto::kCaptureAffinityProperty));
}

// The Windows version the prefix presents to programs started from now on, restored
// afterwards: Wine reads it from where Windows keeps it when no version is set for Wine
// itself.
class WindowsVersionOfPrefix {
  public:
    WindowsVersionOfPrefix(const std::wstring& version, const std::wstring& build)
        : version_(Read(kVersion)), build_(Read(kBuild)) {
        Write(kVersion, version);
        Write(kBuild, build);
    }
    ~WindowsVersionOfPrefix() {
        Write(kVersion, version_);
        Write(kBuild, build_);
    }

  private:
    static constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
    static constexpr wchar_t kVersion[] = L"CurrentVersion";
    static constexpr wchar_t kBuild[] = L"CurrentBuildNumber";
    static std::wstring Read(const wchar_t* value) {
        wchar_t text[64] = L"";
        DWORD size = sizeof text;
        RegGetValueW(HKEY_LOCAL_MACHINE, kKey, value, RRF_RT_REG_SZ, nullptr, text, &size);
        return text;
    }
    static void Write(const wchar_t* value, const std::wstring& text) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, value, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    const std::wstring version_;
    const std::wstring build_;
};

// Windows 10 from version 2004 on is asked to leave every break screen out of screen
// capture, never for WDA_MONITOR's black box; older Windows and HideFromCapture 0 are
// asked nothing.
TEST_F(Form, BreakScreensAskToBeLeftOutOfScreenCapture) {
    const WindowsVersionOfPrefix windows2004(L"10.0", L"19041");
    Start();
    for (const HWND screen : BreakScreens(form_)) {
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(AffinityAsked(screen), rilto::kExcludeFromCapture)
            << rilto::Narrow(ClassOf(screen));
    }
}

TEST_F(Form, OnOlderWindowsBreakScreensAskNothing) {
    const WindowsVersionOfPrefix windows1909(L"10.0", L"18363");
    Start();
    for (const HWND screen : BreakScreens(form_)) {
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(AffinityAsked(screen), 0u) << rilto::Narrow(ClassOf(screen));
    }
}

TEST_F(Form, WithHideFromCaptureOffBreakScreensAskNothing) {
    const WindowsVersionOfPrefix windows2004(L"10.0", L"19041");
    WriteSetting(L"Options", L"HideFromCapture", L"0");
    Start();
    for (const HWND screen : BreakScreens(form_)) {
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(AffinityAsked(screen), 0u) << rilto::Narrow(ClassOf(screen));
    }
}

}  // namespace
