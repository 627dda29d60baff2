// The settings dialog end to end: opened from the tray, typed into with real keys, and
// applied to the running program, observed through its windows and the store.

#include "common/wide_text_win.h"
#include "engine/frm_rilto_ids.h"
#include "exercise/exercise_table.h"
#include "settings/frm_about_ids.h"
#include "settings/frm_sound_ids.h"
#include "support/exercise_support.h"
#include "support/settings_window.h"

namespace harness {
namespace {

// Four whole numbers and the tick count, joined by "/": the stored and current hook
// times of the keyboard, then of the mouse.
std::vector<long long> Numbers(const std::wstring& text) {
    std::vector<long long> out;
    std::wstring part;
    for (wchar_t c : text + L"/") {
        if (c == L'/') {
            out.push_back(part.empty() ? 0 : std::stoll(part));
            part.clear();
        } else {
            part += c;
        }
    }
    return out;
}

void PutOnClipboard(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

class SettingsTest : public SettingsWindowTest {
  protected:
    // The page in front: the one under the middle of the tab strip's display area.
    int Page() {
        RECT r{};
        GetWindowRect(Control(IDC_PICTS0), &r);
        const HWND top = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        for (int i = 0; i < 6; ++i) {
            const HWND page = Control(i < 5 ? IDC_PICTS0 + i : IDC_PICTS5);
            if (top == page || IsChild(page, top)) {
                return i;
            }
        }
        return -1;
    }
    std::vector<long long> Diagnostics() {
        const POINT voluntary = CentreOf(FormControl(IDC_LBLVOLUNTARY));
        DoubleClickAt(voluntary.x, voluntary.y);
        PumpFor(500);
        return Numbers(TextOf(FormControl(IDC_LBLESC)));
    }
};

TEST_F(SettingsTest, TypedAndPastedNumbersAndApplyChangeTheRunningProgram) {
    WriteSetting(L"Micropause", L"DisableEsc2", L"1");
    Start();

    // A double click on the tray icon opens it, on its first page.
    // (The tray may take a moment to show a new icon: the click is tried again.)
    for (int attempt = 0; attempt < 5 && Dialog() == nullptr; ++attempt) {
        const POINT icon = TrayIconCentre();
        DoubleClickAt(icon.x, icon.y);
        WaitUntil([&] { return Dialog() != nullptr; }, 3000);
    }
    const HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_CHKDISABLEESC)));  // locked from outside
    EXPECT_EQ(TextOf(Control(IDC_TXTINTFOR)), L"15");
    SaveScreenshot(L"settings-micropauses");
    // Ctrl+Tab goes round the pages.
    const wchar_t* shots[] = {
        nullptr,           L"settings-exercise-breaks", L"settings-exercise-schemes",
        L"settings-holds", L"settings-schedule",        nullptr};
    for (int page : {1, 2, 3, 4, 5, 0}) {
        PressKeyWith(VK_CONTROL, VK_TAB);
        PumpFor(400);
        EXPECT_EQ(Page(), page);
        if (shots[page] != nullptr) {
            SaveScreenshot(shots[page]);
        }
    }

    // Typed: only digits reach the box; Backspace does.
    Click(IDC_TXTINTFOR);
    PressKey(VK_END);
    for (int i = 0; i < 3; ++i) {
        PressKey(VK_BACK);
    }
    for (wchar_t c : std::wstring(L"a1b2")) {
        TypeChar(c);
    }
    PumpFor(200);
    EXPECT_EQ(TextOf(Control(IDC_TXTINTFOR)), L"12");
    PressKey(VK_BACK);
    PressKey(VK_BACK);
    TypeChar(L'5');
    PumpFor(200);
    EXPECT_EQ(TextOf(Control(IDC_TXTINTFOR)), L"5");
    // Pasted: refused like typing, by Ctrl+V or by the edit's own paste.
    PutOnClipboard(L"abc");
    PressKeyWith(VK_CONTROL, 'V');
    SendMessageW(Control(IDC_TXTINTFOR), WM_PASTE, 0, 0);
    PumpFor(200);
    EXPECT_EQ(TextOf(Control(IDC_TXTINTFOR)), L"5");

    Click(IDC_CHKMONITOR0);  // "Monitor keyboard use" off
    // "Exercise Breaks": time away beyond what the box allows.
    SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, 1, 0);
    ASSERT_TRUE(WaitUntil([&] { return Page() == 1; }, kWait));
    EXPECT_EQ(TextOf(Control(IDC_TXTAWAYM)), L"10");
    SendMessageTimeoutW(Control(IDC_TXTAWAYM), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"500"),
                        SMTO_ABORTIFHUNG, kWait, nullptr);
    EXPECT_FALSE(Checked(IDC_CHKMONITOR0));
    // "Holds": full screen and calls off, a hold longer than the box allows, two programs
    // and two that use the microphone all day.
    SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, 3, 0);
    ASSERT_TRUE(WaitUntil([&] { return Page() == 3; }, kWait));
    EXPECT_TRUE(Checked(IDC_CHKFULLSCREEN));
    EXPECT_EQ(TextOf(Control(IDC_TXTMAXM)), L"60");
    EXPECT_TRUE(Checked(IDC_CHKCALLS));
    EXPECT_EQ(TextOf(Control(IDC_CHKCALLS)),
              L"Hold breaks while a program uses the mi&crophone or camera");
    EXPECT_EQ(TextOf(Control(IDC_TXTIGNOREDEVICES)), L"");
    Click(IDC_CHKFULLSCREEN);
    Click(IDC_CHKCALLS);
    for (const auto& [id, text] :
         {std::pair{IDC_TXTMAXM, L"900"}, std::pair{IDC_TXTPROGRAMS, L"powerpnt.exe;zoom.exe"},
          std::pair{IDC_TXTIGNOREDEVICES, L"voicemeeter.exe;Microsoft.SkypeApp"}}) {
        SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, kWait, nullptr);
    }
    Click(IDC_APPLY);
    // Apply runs in the program: on a busy machine its last value may come a little later.
    WaitUntil([] { return ReadSetting(L"Hold", L"IgnoreDevices").has_value(); }, kWait);
    EXPECT_EQ(ReadSetting(L"Micropause", L"InterruptFor").value_or(L""), L"5");
    EXPECT_EQ(ReadSetting(L"Micropause", L"Monitor0").value_or(L""), L"0");
    EXPECT_EQ(ReadSetting(L"Micropause", L"DisableEsc2").value_or(L""), L"1");
    EXPECT_EQ(ReadSetting(L"Hold", L"FullScreen").value_or(L""), L"0");
    EXPECT_EQ(ReadSetting(L"Hold", L"MaxM").value_or(L""), L"480");
    EXPECT_EQ(ReadSetting(L"Exercise", L"AwayM").value_or(L""), L"120");
    EXPECT_EQ(ReadSetting(L"Hold", L"Programs").value_or(L""), L"powerpnt.exe;zoom.exe");
    EXPECT_EQ(ReadSetting(L"Hold", L"Calls").value_or(L""), L"0");
    EXPECT_EQ(ReadSetting(L"Hold", L"IgnoreDevices").value_or(L""),
              L"voicemeeter.exe;Microsoft.SkypeApp");
    EXPECT_NE(Dialog(), nullptr);  // Apply leaves it open
    Click(IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));

    // Keys no longer count; the mouse still does.
    Command(IDM_POPUP_STATUS);
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(300);
    const std::vector<long long> before = Diagnostics();
    PumpFor(300);
    PressKey(VK_SHIFT);
    MoveMouseBy(3, 3);
    PumpFor(300);
    const std::vector<long long> after = Diagnostics();
    ASSERT_EQ(before.size(), 5u);
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[1], before[1]) << "keyboard";
    EXPECT_GT(after[3], before[3]) << "mouse";
    PressKey(VK_RETURN);  // the status window's OK
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, kWait));

    // The next micropause takes the new length.
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    const DWORD from = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return !Shown(); }, 20000));
    const DWORD lasted = GetTickCount() - from;
    EXPECT_GE(lasted, 4000u);
    EXPECT_LE(lasted, 9000u);
}

TEST_F(SettingsTest, OpenedDuringAMicropauseItComesWhenTheMicropauseIsOver) {
    WriteSetting(L"Micropause", L"InterruptFor", L"30");
    Start();
    MicropauseNow();
    ASSERT_TRUE(WaitUntil([&] { return Shown(); }, kWait));
    PumpFor(1000);
    const DWORD asked = GetTickCount();
    Command(IDM_POPUP_OPTIONS);
    bool screenGoneFirst = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (Dialog() != nullptr) {
                screenGoneFirst = !Shown();
                return true;
            }
            return false;
        },
        kWait));
    EXPECT_TRUE(screenGoneFirst);
    EXPECT_LT(GetTickCount() - asked, 5000u);  // ended at once, not after 30 s
    ASSERT_NE(WaitForDialog(), nullptr);
    // Enabled again when the lock is lifted: read afresh at every opening.
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CHKDISABLEESC)));
    // OK applies and closes.
    Click(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));
    EXPECT_EQ(ReadSetting(L"Micropause", L"InterruptFor").value_or(L""), L"30");
}

TEST_F(SettingsTest, AWarningSoundChosenIsStoredByApplyAndAboutOpensOnce) {
    // A wave file to choose: a short silence.
    const std::wstring wave = BinPath(L"settings-test-chime.wav");
    {
        const char header[] =
            "RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00"
            "\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00"
            "data\x08\x00\x00\x00\x80\x80\x80\x80\x80\x80\x80\x80";
        const HANDLE f =
            CreateFileW(wave.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, header, sizeof header - 1, &written, nullptr);
        CloseHandle(f);
    }
    Start();
    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    Click(IDC_CMDWARNING0);  // beside "Audible warning"
    HWND sound = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (sound = FindProcessWindow(running_.Id(), L"Sound warning")) != nullptr; },
        kWait));
    PostMessageW(GetDlgItem(sound, IDC_CMDSOUND), BM_CLICK, 0, 0);
    HWND files = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            return (files = FindProcessWindow(running_.Id(), L"Select warning sound")) != nullptr;
        },
        kWait));
    PumpFor(500);
    // The file name box of the open dialog: its combo box, or the edit of older dialogs.
    HWND name = GetDlgItem(files, 0x47C);
    if (name == nullptr) {
        name = GetDlgItem(files, 0x480);
    }
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wave.c_str()));
    PostMessageW(files, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return TextOf(GetDlgItem(sound, IDC_OPTTYPE1)) ==
                   L"Sound card (settings-test-chime.wav)";
        },
        kWait))
        << TextOf(GetDlgItem(sound, IDC_OPTTYPE1));
    PumpFor(300);
    SaveScreenshot(L"sound-dialog");
    PostMessageW(sound, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sound); }, kWait));
    // In use at once, stored by Apply.
    EXPECT_FALSE(ReadSetting(L"Micropause", L"WarningSound").has_value());
    Click(IDC_APPLY);
    WaitUntil([] { return ReadSetting(L"Micropause", L"WarningSound").has_value(); }, kWait);
    const std::optional<std::wstring> stored = ReadSetting(L"Micropause", L"WarningSound");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->substr(stored->rfind(L'\\') + 1), L"settings-test-chime.wav");
    Click(IDCANCEL);

    // "About..." twice: one box, showing the program's version.
    Command(IDM_POPUP_ABOUT);
    Command(IDM_POPUP_ABOUT);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (about = FindProcessWindow(running_.Id(), L"About Rilto")) != nullptr; },
        kWait));
    PumpFor(1000);
    EXPECT_EQ(CountProcessWindows(running_.Id(), L"About Rilto"), 1);
    const std::wstring version = std::to_wstring(RILTO_VERSION_MAJOR) + L"." +
                                 std::to_wstring(RILTO_VERSION_MINOR) + L"." +
                                 std::to_wstring(RILTO_VERSION_REVISION);
    const std::wstring label = TextOf(GetDlgItem(about, IDC_ABOUT_LBLVERSION));
    EXPECT_NE(label.find(version), std::wstring::npos) << label;
    SaveScreenshot(L"about");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, kWait));
    DeleteFileW(wave.c_str());
}

// OK with nothing touched changes nothing the user did not touch: the scheme the tray
// picked since the dialog last opened keeps its exercises, and so does every other;
// exercise breaks switched off (every 0 minutes) stay off, and a 0 typed is stored.
TEST_F(SettingsTest, OkChangesNothingTheUserDidNotTouch) {
    WriteSetting(L"Options", L"Initialised", L"1");
    const std::wstring video = FirstMediaFile(L".avi");
    const std::wstring picture = FirstMediaFile(L".bmp");
    WriteScheme(L"Desk", {{video, L"Neck", 20}, {picture, L"Eyes", 15}, {video, L"Back", 25}});
    WriteScheme(L"Other", {{picture, L"Other one", 1}, {video, L"Other two", 1}});
    ListSchemes({L"Desk", L"Other"});
    WriteSetting(L"Exercise", L"Scheme", L"Desk");
    WriteSetting(L"Exercise", L"EveryM", L"0");
    const auto schemes = SectionsStartingWith(L"Scheme");
    Start();
    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    Click(IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));

    // "Other" from the tray menu, three items up from its bottom (above "Pause" and
    // "Shutdown"); the break it starts is ended with a double click once its first clip
    // has had a second.
    PostMessageW(TrayWindow(), WM_KEYDOWN, 0, 0);
    ASSERT_NE(WaitForMenuKeyboard(running_.Id()), nullptr);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND player = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            player = PlayerWindow(running_.Id());
            const auto left = player ? SecondsInCaption(TextOf(player)) : std::nullopt;
            return left && *left < rilto::kTitleSeconds;
        },
        kWait));
    const POINT centre = CentreOf(PlayerSurface(player));
    DoubleClickAt(centre.x, centre.y);
    ASSERT_TRUE(WaitUntil([&] { return PlayerWindow(running_.Id()) == nullptr; }, kWait));

    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"Other");  // the scheme in use now
    EXPECT_EQ(TextOf(Control(IDC_TXTEVERYM)), L"0");
    SendMessageW(Control(IDC_TXTNUMATATIME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
    Click(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));
    EXPECT_EQ(SectionsStartingWith(L"Scheme"), schemes);
    EXPECT_EQ(ReadSetting(L"Exercise", L"EveryM").value_or(L""), L"0");
    EXPECT_EQ(ReadSetting(L"Exercise", L"NumAtaTime").value_or(L""), L"0");
    EXPECT_EQ(TextOf(FormControl(IDC_LBLEXERCISE)), L"Next Exercise Break: off");
}

// The "Schedule" page in the running program: hours it cannot read are refused with a word
// that names the day, and nothing of them reaches the store; readable ones are stored.
TEST_F(SettingsTest, TheSchedulePageStoresHoursItCanReadAndRefusesTheOthers) {
    WriteSetting(L"Options", L"Initialised", L"1");
    Start();
    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, 4, 0);
    ASSERT_TRUE(WaitUntil([&] { return Page() == 4; }, kWait));
    const auto type = [&](int id, const wchar_t* text) {
        SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, kWait, nullptr);
    };
    Click(IDC_CHKSCHEDULE);
    type(IDC_TXTHOURS1, L"9-17");
    EXPECT_TRUE(WaitUntil(
        [&] { return TextOf(Control(IDC_LBLHOURS)).find(L"Tuesday: \"9-17\"") == 0; }, kWait))
        << rilto::Narrow(TextOf(Control(IDC_LBLHOURS)));
    SaveScreenshot(L"settings-schedule-refused");
    Click(IDC_APPLY);
    const HWND box = WaitForDialogTitled(L"Rilto Micropause");
    ASSERT_NE(box, nullptr);
    const std::wstring said = StaticTexts(box);
    EXPECT_NE(said.find(L"Tuesday: \"9-17\" is not a range like 09:00-17:00"), std::wstring::npos)
        << rilto::Narrow(said);
    // The hours in effect were stored, and the switch.
    EXPECT_EQ(ReadSetting(L"Schedule", L"Tue").value_or(L""), L"09:00-17:00");
    EXPECT_EQ(ReadSetting(L"Schedule", L"On").value_or(L""), L"1");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kWait));

    type(IDC_TXTHOURS1, L"10:00-16:00");
    type(IDC_TXTHOURS5, L"22:00-02:00");
    Click(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));
    EXPECT_EQ(ReadSetting(L"Schedule", L"Tue").value_or(L""), L"10:00-16:00");
    EXPECT_EQ(ReadSetting(L"Schedule", L"Sat").value_or(L""), L"22:00-02:00");
}

// Hidden, the dialog holds neither the focus nor a caret, whose blinking would wake the
// program twice a second with nothing to show; shown again, the focus and the caret are
// back where they were.
TEST_F(SettingsTest, HiddenItHoldsNoFocusNorCaretAndShownItGetsThemBack) {
    WriteSetting(L"Options", L"Initialised", L"1");
    Start();
    const DWORD thread = GetWindowThreadProcessId(TrayWindow(), nullptr);
    // Made hidden at the end of start-up, just after the tray icon.
    HWND settings = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (settings = FindProcessWindow(running_.Id(), L"Rilto Options")) != nullptr; },
        kWait));
    PumpFor(500);  // its making done
    // A loaded machine may move the focus and the caret a while after the window shows or
    // hides: the state is read once it holds, or at the end of the wait.
    const auto expectHeld = [&](HWND control, const char* when) {
        SCOPED_TRACE(when);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        const auto holds = [&] {
            return GetGUIThreadInfo(thread, &gui) && gui.hwndCaret == control &&
                   (control == nullptr
                        ? gui.hwndFocus == nullptr || !IsChild(settings, gui.hwndFocus)
                        : gui.hwndFocus == control);
        };
        WaitUntil(holds, kWait);
        ASSERT_TRUE(GetGUIThreadInfo(thread, &gui));
        EXPECT_EQ(gui.hwndCaret, control);
        if (control == nullptr) {
            EXPECT_TRUE(gui.hwndFocus == nullptr || !IsChild(settings, gui.hwndFocus));
        } else {
            EXPECT_EQ(gui.hwndFocus, control);
        }
    };
    PumpFor(500);
    expectHeld(nullptr, "made hidden");

    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    expectHeld(Control(IDC_TXTINTFOR), "first shown");  // the first control of the first page
    Click(IDC_TXTINTEVERY);
    expectHeld(Control(IDC_TXTINTEVERY), "clicked");
    PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return Dialog() == nullptr; }, kWait));
    expectHeld(nullptr, "hidden again");

    Command(IDM_POPUP_OPTIONS);
    ASSERT_NE(WaitForDialog(), nullptr);
    expectHeld(Control(IDC_TXTINTEVERY), "shown again");
}

}  // namespace
}  // namespace harness
