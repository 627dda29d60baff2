// The global hot keys in the real program, with short minutes: a key from "Hotkeys" brings
// its command when pressed (real input, from this other program), a key another program
// has already is reported on the status window and on the page "Keys", and the page's
// boxes go through OK to the store and to Windows.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "engine/frm_rilto_ids.h"
#include "support/settings_window.h"

namespace harness {
namespace {

constexpr DWORD kMinute = 2000;
constexpr int kKeysPage = 5;

// Ctrl+Alt and a key, pressed and let go as the user does it.
void PressCtrlAlt(WORD vk) {
    const WORD order[] = {VK_CONTROL, VK_MENU, vk, vk, VK_MENU, VK_CONTROL};
    INPUT in[6]{};
    for (int i = 0; i < 6; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = order[i];
        in[i].ki.dwFlags = i >= 3 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(6, in, sizeof(INPUT));
}

// Whether a program has the key now: this one cannot register it then.
bool KeyTaken(UINT modifiers, UINT vk) {
    constexpr int kProbeId = 9;
    if (RegisterHotKey(nullptr, kProbeId, modifiers, vk) == FALSE) {
        return true;
    }
    UnregisterHotKey(nullptr, kProbeId);
    return false;
}

// A hot key of this test program, standing in for another program that has the key.
class OtherProgramsHotKey {
  public:
    OtherProgramsHotKey(UINT modifiers, UINT vk)
        : held_(RegisterHotKey(nullptr, kId, modifiers, vk) != FALSE) {}
    ~OtherProgramsHotKey() {
        if (held_) {
            UnregisterHotKey(nullptr, kId);
        }
    }
    OtherProgramsHotKey(const OtherProgramsHotKey&) = delete;
    OtherProgramsHotKey& operator=(const OtherProgramsHotKey&) = delete;
    bool Held() const { return held_; }

  private:
    static constexpr int kId = 7;
    bool held_;
};

class HotKeysTest : public SettingsWindowTest {
  protected:
    void SetUp() override {
        SettingsWindowTest::SetUp();
        ShortenMinute(kMinute);
        WriteSetting(L"Options", L"Initialised", L"1");
        // No micropause of itself within the test: 500 minutes of 2 seconds.
        WriteSetting(L"Micropause", L"InterruptEvery", L"500");
        WriteSetting(L"Micropause", L"InterruptFor", L"3");
        WriteSetting(L"Micropause", L"IntelliReset", L"0");
        WriteSetting(L"Exercise", L"EveryM", L"0");
    }
    void OpenKeysPage() {
        Command(IDM_POPUP_OPTIONS);
        ASSERT_NE(WaitForDialog(), nullptr);
        SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, kKeysPage, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(IDC_PICTS5)); }, kWait));
        PumpFor(300);
    }
    // The line on the status window, while it is shown there (the form itself is hidden).
    std::wstring StatusLine() {
        const HWND line = FormControl(IDC_LBLHOTKEYS);
        const bool shown =
            line != nullptr && (GetWindowLongPtrW(line, GWL_STYLE) & WS_VISIBLE) != 0;
        return shown ? TextOf(line) : L"";
    }
};

TEST_F(HotKeysTest, AHotKeyFromTheStoreBringsAMicropause) {
    WriteSetting(L"Hotkeys", L"MicropauseNow", L"ctrl+alt+m");
    Start();
    // The keys are registered at the end of start-up, before the program's message loop
    // answers anything: once it answers, the key is the program's.
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_NORMAL, kShowWait, &answer), 0);
    EXPECT_TRUE(KeyTaken(MOD_CONTROL | MOD_ALT, 'M'));
    EXPECT_FALSE(Shown());
    EXPECT_EQ(StatusLine(), L"") << "the key is the program's";
    PressCtrlAlt('M');
    // Wine hands injected input to the hot keys as it does real key presses.
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kShowWait)) << "no micropause came";
    // The micropause of 3 seconds runs its course.
    EXPECT_TRUE(WaitUntil([&] { return !Shown(); }, kShowWait));
}

TEST_F(HotKeysTest, AKeyAnotherProgramHasIsReportedAndTheOthersWork) {
    const OtherProgramsHotKey other(MOD_CONTROL | MOD_ALT, 'K');
    ASSERT_TRUE(other.Held());
    WriteSetting(L"Hotkeys", L"Skip", L"Ctrl+Alt+K");
    WriteSetting(L"Hotkeys", L"ExerciseNow", L"Ctrl+Alt+");
    WriteSetting(L"Hotkeys", L"MicropauseNow", L"Ctrl+Alt+J");
    Start();
    // The program runs on, and says so on the status window.
    EXPECT_TRUE(WaitUntil([&] { return !StatusLine().empty(); }, kShowWait));
    EXPECT_EQ(StatusLine(),
              L"Hot key \"Ctrl+Alt+\" cannot be read: a part is missing\n"
              L"Hot key Ctrl+Alt+K is used by another program");
    EXPECT_EQ(FindMessageBox(running_.Id()), nullptr) << "no message box at start";

    OpenKeysPage();
    EXPECT_EQ(TextOf(Control(IDC_TXTHOTKEY3)), L"Ctrl+Alt+K");
    EXPECT_EQ(TextOf(Control(IDC_LBLHOTKEY3)), L"Used by another program");
    EXPECT_EQ(TextOf(Control(IDC_LBLHOTKEY1)), L"Cannot be read");
    EXPECT_EQ(TextOf(Control(IDC_LBLHOTKEY0)), L"");
    SaveScreenshot(L"settings-keys");
    Click(IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kShowWait));

    // The key the program has works.
    PressCtrlAlt('J');
    EXPECT_TRUE(WaitUntil([&] { return Shown(); }, kShowWait));
}

TEST_F(HotKeysTest, TheKeysPageGoesThroughOkToTheStoreAndToWindows) {
    Start();
    OpenKeysPage();
    EXPECT_EQ(TextOf(Control(IDC_TXTHOTKEY0)), L"") << "no key out of the box";
    SendMessageW(Control(IDC_TXTHOTKEY0), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"alt + ctrl + h"));
    Click(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kShowWait));
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"MicropauseNow").value_or(L"<none>"), L"Ctrl+Alt+H");
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"Skip").value_or(L"<none>"), L"");
    EXPECT_TRUE(KeyTaken(MOD_CONTROL | MOD_ALT, 'H'));

    // Registered at once: the key brings a micropause.
    PressCtrlAlt('H');
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kShowWait));
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kShowWait));

    // Opened again, the page shows the key as the program writes it.
    OpenKeysPage();
    EXPECT_EQ(TextOf(Control(IDC_TXTHOTKEY0)), L"Ctrl+Alt+H");
    EXPECT_EQ(TextOf(Control(IDC_LBLHOTKEY0)), L"");
}

}  // namespace
}  // namespace harness
