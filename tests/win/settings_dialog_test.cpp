// The settings dialog in this process, made from its template with the program's
// manifest and given the program's controller over an in-memory store: its option pages
// read back what they were filled with, the number boxes take digits within range
// whatever way they come, Ctrl+Tab switches pages, the exercise list drives its detail
// frame, its commands reach the controller, and every control stays on its page at 96
// and at 144 DPI.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "exercise/scheme_rows.h"
#include "exercise/scheme_store.h"
#include "fakes/exercise_rig.h"
#include "settings/frm_settings_ids.h"
#include "settings/frm_settings_win.h"
#include "common/wide_text_win.h"
#include "settings/settings_dialog.h"
#include "support/harness.h"

namespace {

using rilto::ExerciseRow;
using rilto::FrmSettings;
using rilto::SettingsForm;

// Two forms that differ in every option the pages show, so that a control left out
// shows in one.
SettingsForm Sample(bool first) {
    using rilto::Option;
    SettingsForm form;
    form[Option::InterruptFor] = first ? "15" : "3";
    form[Option::InterruptEvery] = first ? "4" : "99";
    form.SetOn(Option::IntelliReset, first);
    form.SetOn(Option::Monitor0, first);
    form.SetOn(Option::Monitor1, !first);
    form.SetOn(Option::Audible, !first);
    form.SetOn(Option::AudiblePre, first);
    form.SetOn(Option::Blank, !first);
    form[Option::Warning] = first ? "Hands off && relax" : "Look away";
    form.SetOn(Option::DisableEsc, first);
    form.escapeLocked = first;
    form[Option::EveryM] = first ? "50" : "999";
    form.SetOn(Option::AudibleX, first);
    form.SetOn(Option::BlankX, !first);
    form[Option::ViewAm] = first ? "4" : "1";
    form[Option::NumAtaTime] = first ? "6" : "1";
    form.SetOn(Option::xStart, first);
    form[Option::AwayM] = first ? "10" : "120";
    form[Option::SkipsPerDay] = first ? "0" : "99";
    form[Option::LaterPerBreak] = first ? "0" : "9";
    form.SetOn(Option::FullScreen, !first);
    form[Option::MaxM] = first ? "60" : "480";
    form[Option::Programs] = first ? "" : "powerpnt.exe;zoom.exe";
    form.SetOn(Option::Calls, first);
    form[Option::IgnoreDevices] = first ? "" : "voicemeeter.exe;Microsoft.SkypeApp";
    form.SetOn(Option::ScheduleOn, first);
    const Option days[] = {Option::HoursMon, Option::HoursTue, Option::HoursWed, Option::HoursThu,
                           Option::HoursFri, Option::HoursSat, Option::HoursSun};
    for (int day = 0; day < 7; ++day) {
        // Each day its own text, so that two boxes swapped show.
        form[days[day]] = first ? "0" + std::to_string(day + 1) + ":00-17:00" : "";
    }
    form.SetOn(Option::LimitOn, !first);
    form[Option::LimitM] = first ? "480" : "1440";
    form[Option::HotkeyMicropauseNow] = first ? "Ctrl+Alt+M" : "";
    form[Option::HotkeyExerciseNow] = first ? "Ctrl+Alt+E" : "Win+F9";
    form[Option::HotkeyPause] = first ? "Ctrl+Alt+P" : "Shift+Win+Pause";
    form[Option::HotkeySkip] = first ? "Ctrl+Alt+K" : "not a key";
    form[Option::HotkeyStatistics] = first ? "Ctrl+Alt+S" : "Alt+9";
    return form;
}

const std::vector<ExerciseRow> kRows = {{"Neck rolls", rilto::kIconOn, "30 seconds"},
                                        {"Wrists", rilto::kIconOff, "45 seconds"},
                                        {"Shoulders", rilto::kIconOn, "20 seconds"}};

constexpr int kNumberBoxes[] = {IDC_TXTINTFOR,     IDC_TXTINTEVERY,    IDC_TXTEVERYM,
                                IDC_TXTNUMATATIME, IDC_TXTXSECS,       IDC_TXTMAXM,
                                IDC_TXTAWAYM,      IDC_TXTSKIPSPERDAY, IDC_TXTLATERPERBREAK};

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The dialog as the program has it: the controller's view, given the controller, over
// the options and an in-memory store of the engine's test rig.
struct DialogRig : rilto::fakes::ExerciseRig {
    DialogRig()
        : dialog(rilto::FrmSettingsPorts{core.writer(), sounds, rilto::fakes::kProgramFolder,
                                         [](const std::function<bool()>& busy) {
                                             harness::WaitUntil([&] { return !busy(); }, 5000);
                                         }}),
          controller(rilto::SettingsDialogPorts{core.writer(),
                                                store,
                                                scheduler,
                                                hook,
                                                flow,
                                                dialog,
                                                nullptr,
                                                rilto::fakes::kProgramFolder,
                                                {}}) {
        dialog.Attach(controller);
    }
    FrmSettings dialog;
    rilto::SettingsDialog controller;
};

class SettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog_.Create()); }

    // The program's message loop: the dialog sees each message first.
    bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
        return harness::WaitUntil(done, ms,
                                  [this](MSG* msg) { return dialog_.TranslateDialogMessage(msg); });
    }
    void Pump(DWORD ms) {
        PumpUntil([] { return false; }, ms);
    }
    void Show() {
        dialog_.ShowDialog();
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog_.hwnd(); }, 3000));
    }
    void SelectPage(int index) {
        SendMessageW(C(IDC_TS), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
        Pump(100);
    }
    int VisiblePage() const {
        for (int i = 0; i < FrmSettings::kPages; ++i) {
            if (IsWindowVisible(dialog_.Page(i))) {
                return i;
            }
        }
        return -1;
    }
    HWND C(int id) const { return dialog_.Control(id); }
    void Click(int id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
    std::wstring Text(int id) const { return harness::TextOf(C(id)); }
    bool Checked(int id) const { return SendMessageW(C(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool OkIsDefault() const {
        return (GetWindowLongPtrW(C(IDOK), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
               LOWORD(SendMessageW(dialog_.hwnd(), DM_GETDEFID, 0, 0)) == IDOK;
    }
    POINT RowCentre(int row) const {
        RECT r{LVIR_LABEL, 0, 0, 0};
        SendMessageW(C(IDC_L), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(C(IDC_L), &p);
        return p;
    }
    void PutOnClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(dialog_.hwnd()));
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(block), text.c_str(), bytes);
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }

    // A tab's width inside its frame, and its title's width in the strip's font.
    int TabRoom(int tab) const {
        RECT r{};
        SendMessageW(C(IDC_TS), TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&r));
        return r.right - r.left - 2 * GetSystemMetrics(SM_CXEDGE);
    }
    int TitleWidth(int tab) const {
        wchar_t title[80] = L"";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 80;
        SendMessageW(C(IDC_TS), TCM_GETITEMW, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&item));
        const HDC dc = GetDC(C(IDC_TS));
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(C(IDC_TS), WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, title, static_cast<int>(wcslen(title)), &size);
        SelectObject(dc, old);
        ReleaseDC(C(IDC_TS), dc);
        return size.cx;
    }
    // Each tab's place and title width, and the strip's width, for a failure's message.
    std::string TabWidths() const {
        RECT strip{};
        GetClientRect(C(IDC_TS), &strip);
        std::string out = " strip " + std::to_string(strip.right) + ":";
        for (int tab = 0; tab < FrmSettings::kPages; ++tab) {
            RECT r{};
            SendMessageW(C(IDC_TS), TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                         reinterpret_cast<LPARAM>(&r));
            out += " " + std::to_string(r.left) + "-" + std::to_string(r.right) + " (" +
                   std::to_string(TitleWidth(tab)) + ")";
        }
        return out;
    }
    // Runs `action`, which may open a message box of the program's title; the box's
    // message, read and the box closed with OK, or empty when none came.
    std::wstring MessageDuring(const std::function<void()>& action) {
        static std::wstring seen;
        seen.clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            const HWND box = harness::FindDialog(GetCurrentProcessId(), L"Rilto Micropause");
            if (box != nullptr && seen.empty()) {
                seen = harness::StaticTexts(box);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        });
        action();
        Pump(300);  // a box that comes late would be seen here
        KillTimer(nullptr, timer);
        return seen;
    }
    // Typed into the box a character at a time, over what it held.
    void TypeInto(int id, const std::wstring& text) {
        SetFocus(C(id));
        SendMessageW(C(id), EM_SETSEL, 0, -1);
        SendMessageW(C(id), WM_CHAR, VK_BACK, 1);
        for (const wchar_t c : text) {
            SendMessageW(C(id), WM_CHAR, c, 1);
        }
        EXPECT_EQ(Text(id), text);
    }

    DialogRig rig_;
    FrmSettings& dialog_ = rig_.dialog;
};

TEST_F(SettingsDialog, ReadGivesBackWhatFillShowed) {
    for (const bool first : {true, false}) {
        const SettingsForm form = Sample(first);
        dialog_.Fill(form);
        const SettingsForm read = dialog_.Read();
        for (const rilto::OptionRow& row : rilto::AllOptions()) {
            if (row.box != rilto::OptionBox::None) {
                EXPECT_EQ(read[row.option], form[row.option]) << row.key;
            }
        }
        EXPECT_EQ(read.escapeLocked, form.escapeLocked);
        EXPECT_EQ(IsWindowEnabled(C(IDC_CHKDISABLEESC)) == FALSE, form.escapeLocked);
        // One of the two start buttons, never both.
        EXPECT_EQ(Checked(IDC_OPTXSTART0), !first);
        EXPECT_EQ(Checked(IDC_OPTXSTART1), first);
    }
    // The user's pick of a start reads back too.
    SendMessageW(C(IDC_OPTXSTART1), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog_.Read().On(rilto::Option::xStart));
    EXPECT_FALSE(Checked(IDC_OPTXSTART0));
}

TEST_F(SettingsDialog, NumberBoxesTakeDigitsWithinRangeAndRefuseOtherPastes) {
    dialog_.SetRows(kRows);  // the seconds box is enabled with a row selected
    const struct {
        const wchar_t* before;
        wchar_t typed;
        const wchar_t* after;
    } cases[] = {{L"", L'a', L""},      {L"99", L'9', L"999"}, {L"100", L'0', L"100"},
                 {L"12", L'\r', L"12"}, {L"12", L'-', L"12"},  {L"12", L'\b', L"1"},
                 {L"", L'7', L"7"}};
    for (const int id : kNumberBoxes) {
        const HWND box = C(id);
        for (const auto& c : cases) {
            SetWindowTextW(box, c.before);
            SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(-2), -2);  // caret at the end
            SendMessageW(box, WM_CHAR, c.typed, 1);
            EXPECT_EQ(harness::TextOf(box), c.after) << id << " typed " << int(c.typed);
        }
        // A paste, by message and by Ctrl+V, goes in only when it is all digits.
        SetWindowTextW(box, L"12");
        PutOnClipboard(L"abc");
        for (const UINT msg : {UINT{WM_PASTE}, UINT{WM_CHAR}}) {
            SendMessageW(box, EM_SETSEL, 0, -1);
            SendMessageW(box, msg, msg == WM_CHAR ? 0x16 : 0, 0);
            EXPECT_EQ(harness::TextOf(box), L"12") << id;
        }
        PutOnClipboard(L"42");
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, WM_PASTE, 0, 0);
        EXPECT_EQ(harness::TextOf(box), L"42") << id;
    }
}

TEST_F(SettingsDialog, CtrlTabCyclesThePagesWhereverTheFocusIs) {
    Show();
    SetFocus(C(IDC_TXTINTFOR));
    for (const int expected : {1, 2, 3, 4, 5, 0}) {
        harness::PressKeyWith(VK_CONTROL, VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return VisiblePage() == expected; }, 2000)) << expected;
        EXPECT_EQ(SendMessageW(C(IDC_TS), TCM_GETCURSEL, 0, 0), expected);
        EXPECT_TRUE(IsChild(dialog_.hwnd(), GetFocus())) << expected;
    }
    // Ctrl+Shift+Tab goes back.
    INPUT keys[6]{};
    const WORD order[] = {VK_CONTROL, VK_SHIFT, VK_TAB, VK_TAB, VK_SHIFT, VK_CONTROL};
    for (int i = 0; i < 6; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i >= 3 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(6, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return VisiblePage() == 5; }, 2000));
}

TEST_F(SettingsDialog, TheKeysPageSaysBesideEachBoxWhatKeepsItsKeyOutOfUse) {
    using rilto::HotKeyOutcome;
    using rilto::HotKeyProblem;
    Show();
    SelectPage(5);
    dialog_.Fill(Sample(true));
    for (int box = 0; box < 5; ++box) {
        EXPECT_EQ(Text(IDC_LBLHOTKEY0 + box), L"") << "nothing known of the keys yet";
    }
    rilto::HotKeyStates states;
    states[0] = {HotKeyOutcome::Refused, "Ctrl+Alt+M", HotKeyProblem::None};
    states[1] = {HotKeyOutcome::Registered, "Ctrl+Alt+E", HotKeyProblem::None};
    states[4] = {HotKeyOutcome::Repeated, "Ctrl+Alt+S", HotKeyProblem::None};
    dialog_.ShowHotKeyStates(states);
    EXPECT_EQ(Text(IDC_LBLHOTKEY0), L"Used by another program");
    EXPECT_EQ(Text(IDC_LBLHOTKEY1), L"");
    EXPECT_EQ(Text(IDC_LBLHOTKEY4), L"Given to another command too");

    // As the user types: text that cannot be read is said at once; another key waits for
    // Apply; the refused key in any spelling is refused still.
    SetWindowTextW(C(IDC_TXTHOTKEY1), L"Ctrl+Alt");
    EXPECT_EQ(Text(IDC_LBLHOTKEY1), L"Cannot be read");
    SetWindowTextW(C(IDC_TXTHOTKEY0), L"Ctrl+Alt+N");
    EXPECT_EQ(Text(IDC_LBLHOTKEY0), L"");
    SetWindowTextW(C(IDC_TXTHOTKEY0), L"alt + ctrl + m");
    EXPECT_EQ(Text(IDC_LBLHOTKEY0), L"Used by another program");
    // Filled again (Apply, or the dialog opened again): the boxes' reports follow.
    dialog_.Fill(Sample(false));
    EXPECT_EQ(Text(IDC_LBLHOTKEY0), L"");
    EXPECT_EQ(Text(IDC_LBLHOTKEY3), L"Cannot be read");
    EXPECT_EQ(Text(IDC_LBLHOTKEY4), L"");
}

TEST_F(SettingsDialog, TabTipsNameTheOptionPages) {
    const auto tips = reinterpret_cast<HWND>(SendMessageW(C(IDC_TS), TCM_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    const wchar_t* expected[] = {
        L"Micropause Options", L"Exercise Break Options",        L"",
        L"Hold Options",       L"Working Hours and Daily Limit", L"Global Hot Keys"};
    static_assert(std::size(expected) == FrmSettings::kPages);
    for (int tab = 0; tab < FrmSettings::kPages; ++tab) {
        wchar_t text[80] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = C(IDC_TS);
        tool.uId = static_cast<UINT_PTR>(tab);
        tool.lpszText = text;
        SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, expected[tab]) << tab;
    }
}

TEST_F(SettingsDialog, APickInEitherSchemeBoxMovesTheOtherAndSwitchesTheScheme) {
    const std::vector<std::string> names = {"*Short", "*Medium break", "Mine"};
    for (const std::string& name : names) {
        const std::vector<rilto::ExerciseRecord> records = {{}, {"a.avi", name + " 1", 1, 30}};
        rilto::SaveScheme(rig_.store, name, records, 1);
        rilto::AddSchemeName(rig_.store, name);
    }
    dialog_.SetSchemeBoxes(rilto::SchemeBox{names, 1});
    EXPECT_EQ(SendMessageW(C(IDC_CMBSCHEMES), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(C(IDC_CMBSCHEMES2), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(rig_.settings.Scheme, "*Medium break");  // filling the boxes switches nothing
    const struct {
        int picked;
        int other;
        int page;
        int index;
    } picks[] = {{IDC_CMBSCHEMES2, IDC_CMBSCHEMES, 1, 2}, {IDC_CMBSCHEMES, IDC_CMBSCHEMES2, 2, 0}};
    for (const auto& p : picks) {
        SendMessageW(C(p.picked), CB_SETCURSEL, static_cast<WPARAM>(p.index), 0);
        SendMessageW(dialog_.Page(p.page), WM_COMMAND, MAKEWPARAM(p.picked, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(C(p.picked)));
        EXPECT_EQ(SendMessageW(C(p.other), CB_GETCURSEL, 0, 0), p.index);
        const std::string& name = names[static_cast<std::size_t>(p.index)];
        EXPECT_EQ(rig_.settings.Scheme, name);
        ASSERT_EQ(dialog_.Rows().size(), 1u);
        EXPECT_EQ(dialog_.Rows()[0].text, name + " 1");
    }
}

TEST_F(SettingsDialog, TheExerciseListDrivesItsDetailFrame) {
    dialog_.SetRows(kRows);
    EXPECT_EQ(Text(IDC_FRAMEX), L"Neck rolls settings");
    EXPECT_TRUE(Checked(IDC_CHKDOIT));
    EXPECT_EQ(Text(IDC_TXTXSECS), L"30");
    Show();
    SelectPage(2);

    // A click on the second row shows it; its seconds and its check box edit it.
    harness::ClickAt(RowCentre(1).x, RowCentre(1).y, false);
    ASSERT_TRUE(PumpUntil([&] { return Text(IDC_FRAMEX) == L"Wrists settings"; }, 2000));
    EXPECT_EQ(Text(IDC_TXTXSECS), L"45");
    EXPECT_FALSE(Checked(IDC_CHKDOIT));
    SetWindowTextW(C(IDC_TXTXSECS), L"90");
    EXPECT_EQ(dialog_.Rows()[1].length, "90 seconds");
    SendMessageW(C(IDC_CHKDOIT), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog_.Rows()[1].icon, rilto::kIconOn);
    SendMessageW(C(IDC_CHKDOIT), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog_.Rows()[1].icon, rilto::kIconOff);

    // A double click on the third row turns it off, and the frame with it.
    harness::DoubleClickAt(RowCentre(2).x, RowCentre(2).y);
    EXPECT_TRUE(PumpUntil([&] { return dialog_.Rows()[2].icon == rilto::kIconOff; }, 2000));
    EXPECT_EQ(Text(IDC_FRAMEX), L"Shoulders settings");
    EXPECT_FALSE(Checked(IDC_CHKDOIT));
    const std::vector<ExerciseRow> rows = dialog_.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "Neck rolls");
    EXPECT_EQ(rows[0].icon, rilto::kIconOn);
    EXPECT_EQ(rows[0].length, "30 seconds");

    // Without rows the frame is empty and disabled, and its handlers do nothing.
    dialog_.SetRows({});
    EXPECT_TRUE(dialog_.Rows().empty());
    EXPECT_FALSE(IsWindowEnabled(C(IDC_CHKDOIT)));
    EXPECT_FALSE(IsWindowEnabled(C(IDC_TXTXSECS)));
    EXPECT_EQ(Text(IDC_FRAMEX), L"");
    SendMessageW(dialog_.Page(2), WM_COMMAND, MAKEWPARAM(IDC_CHKDOIT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(C(IDC_CHKDOIT)));
    SetWindowTextW(C(IDC_TXTXSECS), L"12");
    EXPECT_TRUE(dialog_.Rows().empty());
}

TEST_F(SettingsDialog, EditingATitleInPlaceTakesEnterFromOk) {
    rig_.UseScheme(3);
    rilto::AddSchemeName(rig_.store, "Test");
    rig_.controller.LoadMeUp();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog_.hwnd(); }, 3000));
    SelectPage(2);
    EXPECT_TRUE(OkIsDefault());
    SetFocus(C(IDC_L));
    const auto edit = reinterpret_cast<HWND>(SendMessageW(C(IDC_L), LVM_EDITLABELW, 1, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(OkIsDefault());
    SetWindowTextW(edit, L"Wrist circles");
    harness::PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return dialog_.Rows()[1].text == "Wrist circles"; }, 2000));
    EXPECT_TRUE(OkIsDefault());
    EXPECT_TRUE(IsWindowVisible(dialog_.hwnd()));
    // Enter is OK again: the edit saved and the dialog hidden; and ESC Cancel.
    harness::PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog_.hwnd()); }, 3000));
    rilto::ExerciseTable stored;
    rilto::LoadScheme(rig_.store, "Test", stored);
    EXPECT_EQ(stored.At(2).Title, "Wrist circles");
    rig_.controller.LoadMeUp();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog_.hwnd(); }, 3000));
    harness::PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(dialog_.hwnd()); }, 2000));
}

TEST_F(SettingsDialog, TheSchedulePageSaysWhatItsBoxesMeanAndApplyRefusesWhatItCannotRead) {
    rig_.controller.LoadMeUp();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog_.hwnd(); }, 3000));
    SelectPage(4);
    ASSERT_EQ(VisiblePage(), 4);
    // Its controls, on its page, as the options in effect fill them.
    for (const int id : {IDC_CHKSCHEDULE, IDC_TXTHOURS0, IDC_TXTHOURS1, IDC_TXTHOURS2,
                         IDC_TXTHOURS3, IDC_TXTHOURS4, IDC_TXTHOURS5, IDC_TXTHOURS6, IDC_LBLHOURS,
                         IDC_CHKLIMIT, IDC_TXTLIMITM, IDC_UPDOWN8}) {
        ASSERT_NE(C(id), nullptr) << id;
        EXPECT_EQ(GetParent(C(id)), dialog_.Page(4)) << id;
        EXPECT_TRUE(IsWindowVisible(C(id))) << id;
    }
    EXPECT_FALSE(Checked(IDC_CHKSCHEDULE));
    EXPECT_EQ(Text(IDC_TXTHOURS0), L"09:00-17:00");
    EXPECT_EQ(Text(IDC_TXTHOURS6), L"");
    EXPECT_EQ(Text(IDC_TXTLIMITM), L"480");
    EXPECT_EQ(Text(IDC_LBLHOURS), L"Breaks at any hour");

    // The line follows the switch and the typing.
    Click(IDC_CHKSCHEDULE);
    EXPECT_EQ(Text(IDC_LBLHOURS), L"Breaks from Monday to Friday, 09:00 to 17:00");
    TypeInto(IDC_TXTHOURS1, L"9-17");
    EXPECT_EQ(Text(IDC_LBLHOURS),
              L"Tuesday: \"9-17\" is not a range like 09:00-17:00. Such a "
              L"day has breaks all day.");

    // Apply says why, stores nothing of it, and leaves the box for mending; OK stays open.
    const std::wstring said = MessageDuring([&] { Click(IDC_APPLY); });
    EXPECT_NE(said.find(L"Tuesday: \"9-17\" is not a range like 09:00-17:00"), std::wstring::npos)
        << rilto::Narrow(said);
    EXPECT_EQ(rig_.store.GetSetting("Schedule", "Tue", "<none>"), "09:00-17:00");
    EXPECT_EQ(rig_.store.GetSetting("Schedule", "On", "<none>"), "1");
    EXPECT_EQ(Text(IDC_TXTHOURS1), L"9-17");
    EXPECT_FALSE(MessageDuring([&] { Click(IDOK); }).empty());
    EXPECT_TRUE(IsWindowVisible(dialog_.hwnd()));

    // Mended, it is stored without a word; the limit is kept within its range.
    TypeInto(IDC_TXTHOURS1, L"08:00-12:00");
    EXPECT_EQ(Text(IDC_LBLHOURS),
              L"Breaks on Monday, 09:00 to 17:00; on Tuesday, 08:00 to 12:00; "
              L"from Wednesday to Friday, 09:00 to 17:00");
    Click(IDC_CHKLIMIT);
    SetWindowTextW(C(IDC_TXTLIMITM), L"2000");  // as pasted: typing stops at 1440
    EXPECT_EQ(MessageDuring([&] { Click(IDC_APPLY); }), L"");
    EXPECT_EQ(rig_.store.GetSetting("Schedule", "Tue", "<none>"), "08:00-12:00");
    EXPECT_EQ(rig_.settings.Hours[1], "08:00-12:00");
    EXPECT_EQ(rig_.store.GetSetting("DailyLimit", "On", "<none>"), "1");
    EXPECT_EQ(rig_.store.GetSetting("DailyLimit", "LimitM", "<none>"), "1440");
    EXPECT_EQ(Text(IDC_TXTLIMITM), L"1440");
    // Switched off, the line says so.
    Click(IDC_CHKSCHEDULE);
    EXPECT_EQ(Text(IDC_LBLHOURS), L"Breaks at any hour");
}

TEST_F(SettingsDialog, TheSchedulePagesAccessKeysAreItsOwn) {
    // The page's keys, and the dialog's buttons': each letter once.
    std::wstring keys;
    const auto keyOf = [](const std::wstring& text) {
        const std::size_t amp = text.find(L'&');
        return amp == std::wstring::npos || amp + 1 >= text.size()
                   ? L'\0'
                   : static_cast<wchar_t>(std::towlower(text[amp + 1]));
    };
    for (HWND c = GetWindow(dialog_.Page(4), GW_CHILD); c != nullptr;
         c = GetWindow(c, GW_HWNDNEXT)) {
        // The line that says what the boxes mean shows its texts as they are.
        const bool noKeys = harness::ClassOf(c) == L"Static" &&
                            (GetWindowLongPtrW(c, GWL_STYLE) & SS_NOPREFIX) != 0;
        if (const wchar_t key = keyOf(harness::TextOf(c)); key != L'\0' && !noKeys) {
            keys += key;
        }
    }
    for (const int id : {IDOK, IDCANCEL, IDC_APPLY}) {
        if (const wchar_t key = keyOf(Text(id)); key != L'\0') {
            keys += key;
        }
    }
    EXPECT_EQ(keys.size(), 10u) << rilto::Narrow(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys.find(keys[i]), i) << "'" << static_cast<char>(keys[i]) << "' twice";
    }
    // Alt and a day's key go to its box.
    Show();
    SelectPage(4);
    SetFocus(C(IDC_TXTHOURS6));
    harness::PressKeyWith(VK_MENU, 'H');
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == C(IDC_TXTHOURS3); }, 2000));
}

TEST_F(SettingsDialog, EveryControlStaysOnItsPageAt96And144Dpi) {
    dialog_.Fill(Sample(true));
    dialog_.SetSchemeBoxes(rilto::SchemeBox{{"*Medium break"}, 0});
    dialog_.SetRows(kRows);
    Show();
    const wchar_t* shots[] = {L"settings-micropauses",      L"settings-exercise-breaks",
                              L"settings-exercise-schemes", L"settings-holds",
                              L"settings-schedule",         L"settings-dialog-keys"};
    LONG okWidth96 = 0;
    for (const UINT dpi : {96u, 144u}) {
        if (dpi != 96) {
            harness::SendDpiChange(dialog_.hwnd(), dpi);
        }
        const RECT client = ClientOnScreen(dialog_.hwnd());
        const RECT strip = ScreenRect(C(IDC_TS));
        EXPECT_FALSE(IsWindowVisible(C(IDC_PICHIDE))) << dpi;
        EXPECT_TRUE(Inside(strip, client)) << dpi;
        // All five tabs fit, each with room for its title: no scroll arrows.
        const HWND arrows = FindWindowExW(C(IDC_TS), nullptr, UPDOWN_CLASSW, nullptr);
        EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows)) << dpi << TabWidths();
        EXPECT_EQ(SendMessageW(C(IDC_TS), TCM_GETROWCOUNT, 0, 0), 1) << dpi;
        for (int tab = 0; tab < FrmSettings::kPages; ++tab) {
            EXPECT_GE(TabRoom(tab), TitleWidth(tab)) << tab << " at " << dpi;
        }
        for (const int id : {IDOK, IDCANCEL, IDC_APPLY}) {
            const RECT button = ScreenRect(C(id));
            EXPECT_TRUE(Inside(button, client)) << id << " at " << dpi;
            EXPECT_GE(button.top, strip.bottom) << id << " at " << dpi;
        }
        // Laid out again in the font for the DPI: the controls grow with it.
        const RECT ok = ScreenRect(C(IDOK));
        if (dpi == 96) {
            okWidth96 = ok.right - ok.left;
        } else {
            EXPECT_GE(ok.right - ok.left, okWidth96 * 4 / 3);
        }
        for (int page = 0; page < FrmSettings::kPages; ++page) {
            SelectPage(page);
            if (dpi == 96) {
                harness::SaveScreenshot(shots[page]);
            }
            const HWND pageWindow = dialog_.Page(page);
            const RECT area = ClientOnScreen(pageWindow);
            EXPECT_TRUE(Inside(ScreenRect(pageWindow), strip)) << page << " at " << dpi;
            for (HWND c = GetWindow(pageWindow, GW_CHILD); c != nullptr;
                 c = GetWindow(c, GW_HWNDNEXT)) {
                EXPECT_TRUE(Inside(ScreenRect(c), area))
                    << "control " << GetDlgCtrlID(c) << " \"" << harness::TextOf(c) << "\" on page "
                    << page << " at " << dpi;
            }
        }
    }
}

}  // namespace
