// The "Exercise Schemes" page end to end in the running program: exercises added
// through the real file dialog and frmAdd, renamed in place, moved and previewed;
// schemes saved under a new name and deleted. What changed is read back from the store.

#include <windows.h>
#include <commctrl.h>

#include "settings/frm_prompt_ids.h"
#include "support/exercise_support.h"
#include "support/settings_window.h"

namespace harness {
namespace {

constexpr wchar_t kProgramTitle[] = L"Rilto Micropause";

class SchemeEditorTest : public SettingsWindowTest {
  protected:
    // The schemes are the test's own: no default settings imported over them.
    void SetUp() override {
        SettingsWindowTest::SetUp();
        WriteSetting(L"Options", L"Initialised", L"1");
    }
    int Rows() { return static_cast<int>(SendMessageW(Control(IDC_L), LVM_GETITEMCOUNT, 0, 0)); }
    int Selected() {
        return static_cast<int>(
            SendMessageW(Control(IDC_L), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // A click just below the list's column headers: on its first row. (The rows' own
    // rectangles come back only through this process's memory, so not across processes.)
    void ClickFirstRow() {
        const HWND list = Control(IDC_L);
        const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        RECT under{};
        GetWindowRect(header, &under);
        ClickAt((under.left + under.right) / 3, under.bottom + 5, false);
        PumpFor(300);
    }
    // A scheme box set to the entry, as a pick of the user's.
    void PickScheme(int box, int index) {
        const HWND combo = Control(box);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(box, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        PumpFor(300);
    }
    // "Save As..." with the name typed and OK pressed; the dialog, which a question may
    // keep open.
    HWND SaveAs(const wchar_t* name) {
        PostMessageW(Control(IDC_CMDSAVEAS), BM_CLICK, 0, 0);
        const HWND saveAs = WaitForDialogTitled(L"Save Scheme As");
        if (saveAs != nullptr) {
            SendMessageW(GetDlgItem(saveAs, IDC_TXTSCHEME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(name));
            PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
        }
        return saveAs;
    }
    // Answers the message box of the program that shows now; its text.
    std::wstring Answer(int button) {
        const HWND box = WaitForDialogTitled(kProgramTitle);
        if (box == nullptr) {
            return L"(no message)";
        }
        const std::wstring text = StaticTexts(box);
        PostMessageW(box, WM_COMMAND, button, 0);
        WaitUntil([&] { return !IsWindow(box); }, kWait);
        PumpFor(300);
        return text;
    }
};

TEST_F(SchemeEditorTest, AddedRenamedMovedAndPreviewedExercisesReachTheStore) {
    const std::wstring video = FirstMediaFile(L".avi");
    const std::wstring picture = FirstMediaFile(L".bmp");
    ASSERT_FALSE(video.empty());
    ASSERT_FALSE(picture.empty());
    WriteScheme(L"Desk", {{video, L"Neck", 20}, {picture, L"Eyes", 15}});
    WriteScheme(L"Other", {{picture, L"Other one", 10}});
    ListSchemes({L"Desk", L"Other"});
    WriteSetting(L"Exercise", L"Scheme", L"Desk");
    Start();
    OpenSchemePage();
    ASSERT_EQ(Rows(), 2);
    // The pointer off the tray icon, whose tip would show in the picture.
    const POINT list = CentreOf(Control(IDC_L));
    SetCursorPos(list.x, list.y + 30);
    PumpFor(300);
    SaveScreenshot(L"scheme-page");

    // Preview: the video plays on the page, and Done takes it away.
    ClickFirstRow();
    Click(IDC_CMDPREVIEW);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(IDC_PICMOVIE)); }, kWait));
    const HWND surface = Control(IDC_AM);
    EXPECT_TRUE(WaitUntil([&] { return GetWindow(surface, GW_CHILD) != nullptr; }, kWait));
    const std::optional<std::uint64_t> first = ScreenChecksum(surface);
    EXPECT_TRUE(WaitUntil([&] { return ScreenChecksum(surface) != first; }, kWait));
    SaveScreenshot(L"scheme-preview");
    Click(IDC_CMDDONE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(Control(IDC_PICMOVIE)); }, kWait));

    // Add: the real file dialog, then frmAdd; stored at once, on, for 30 seconds.
    PostMessageW(Control(IDC_CMDADD), BM_CLICK, 0, 0);
    const HWND files = WaitForDialogTitled(L"Add an Exercise");
    ASSERT_NE(files, nullptr);
    HWND name = GetDlgItem(files, 0x47C);  // the file name box: combo box, or older edit
    if (name == nullptr) {
        name = GetDlgItem(files, 0x480);
    }
    ASSERT_NE(name, nullptr);
    const std::wstring added = BinPath(video);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(added.c_str()));
    PostMessageW(files, WM_COMMAND, IDOK, 0);
    const HWND add = WaitForDialogTitled(L"Add Exercise");
    ASSERT_NE(add, nullptr);
    SendMessageW(GetDlgItem(add, IDC_TXTDISPLAYNAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Shoulder rolls"));
    SaveScreenshot(L"add-exercise");
    PostMessageW(add, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return Rows() == 3; }, kWait));
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"Num"), L"3");
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"3"), video);  // the program folder's own: bare
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"d3"), L"Shoulder rolls");
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"s3"), L"30");
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"y3"), L"1");
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(TextOf(Control(IDC_FRAMEX)), L"Shoulder rolls settings");

    // Up moves the new row and its file above the picture.
    Click(IDC_CMDUP);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(TextOf(Control(IDC_FRAMEX)), L"Shoulder rolls settings");

    // A title renamed in place is stored when another scheme is picked.
    ClickFirstRow();
    const auto edit = reinterpret_cast<HWND>(SendMessageW(Control(IDC_L), LVM_EDITLABELW, 0, 0));
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Neck turns"));
    PressKey(VK_RETURN);
    PumpFor(500);
    EXPECT_NE(Dialog(), nullptr);  // Enter ended the edit, not the dialog
    PickScheme(IDC_CMBSCHEMES2, 1);
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"Other");
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"d1"), L"Neck turns");
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"d2"), L"Shoulder rolls");
    EXPECT_EQ(ReadSetting(L"SchemeDesk", L"3"), picture);
    // In use at once, stored as the current scheme only by Apply.
    EXPECT_EQ(ReadSetting(L"Exercise", L"Scheme"), L"Desk");
    Click(IDC_APPLY);
    // A loaded machine may take a while over the click.
    EXPECT_TRUE(
        WaitUntil([] { return ReadSetting(L"Exercise", L"Scheme") == L"Other"; }, kShowWait));
}

TEST_F(SchemeEditorTest, SaveAsAndDeleteRoundTripsInTheStore) {
    const std::wstring picture = FirstMediaFile(L".bmp");
    WriteScheme(L"*Short Break", {{picture, L"Palming", 20}});
    WriteScheme(L"Desk", {{picture, L"One", 10}, {picture, L"Two", 12}});
    ListSchemes({L"*Short Break", L"Desk"});
    WriteSetting(L"Exercise", L"Scheme", L"Desk");
    Start();
    OpenSchemePage();

    // A name that exists in another case asks; No keeps the dialog open for another.
    const HWND saveAs = SaveAs(L"desk");
    ASSERT_NE(saveAs, nullptr);
    const HWND text = GetDlgItem(saveAs, IDC_TXTSCHEME);
    EXPECT_EQ(Answer(IDNO), L"'desk' already exists.  Replace existing scheme?");
    SaveScreenshot(L"save-scheme-as");
    ASSERT_TRUE(IsWindowVisible(saveAs));
    SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"  Evening  "));
    PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(saveAs); }, kWait));
    PumpFor(300);
    EXPECT_EQ(ReadSetting(L"Schemes", L"Num"), L"3");
    EXPECT_EQ(ReadSetting(L"Schemes", L"3"), L"Evening");
    EXPECT_EQ(ReadSetting(L"SchemeEvening", L"d2"), L"Two");
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"Evening");
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES2)), L"Evening");

    // Built-in schemes stay; the last exercise of a scheme stays.
    PickScheme(IDC_CMBSCHEMES, 0);
    Click(IDC_CMDDELETE);
    EXPECT_EQ(Answer(IDOK),
              L"You cannot delete the built-in schemes.  The built-in schemes are indicated "
              L"with a leading asterisk.");
    Click(IDC_CMDREMOVE);
    EXPECT_EQ(Answer(IDOK),
              L"Cannot delete exercise.  A scheme must contain at least one exercise.");
    EXPECT_EQ(Rows(), 1);

    // Deleting the scheme in use makes the first listed one current, in the store too.
    PickScheme(IDC_CMBSCHEMES, 2);
    ASSERT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"Evening");
    Click(IDC_CMDDELETE);
    EXPECT_EQ(Answer(IDYES), L"Are you sure you want to delete this scheme?");
    EXPECT_EQ(ReadSetting(L"Schemes", L"Num"), L"2");
    EXPECT_EQ(ReadSetting(L"Exercise", L"Scheme"), L"*Short Break");
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"*Short Break");
    EXPECT_EQ(Rows(), 1);
}

// Scheme names are compared as the registry compares key names, for every letter: Save
// As "übung" beside "Übung" asks first, and Yes leaves the user on "Übung", listed once,
// holding the rows the page showed.
TEST_F(SchemeEditorTest, SaveAsOverANameInAnotherCaseAsksAndStaysOnIt) {
    const std::wstring picture = FirstMediaFile(L".bmp");
    WriteScheme(L"\u00DCbung", {{picture, L"Old", 10}});
    WriteScheme(L"Desk", {{picture, L"Desk one", 12}, {picture, L"Desk two", 14}});
    ListSchemes({L"Desk", L"\u00DCbung"});
    WriteSetting(L"Exercise", L"Scheme", L"Desk");
    Start();
    OpenSchemePage();

    const HWND saveAs = SaveAs(L"\u00FCbung");
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(Answer(IDYES), L"'\u00FCbung' already exists.  Replace existing scheme?");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(saveAs); }, kWait));
    PumpFor(300);
    EXPECT_EQ(ReadSetting(L"Schemes", L"Num"), L"2");
    EXPECT_EQ(ReadSetting(L"Schemes", L"2"), L"\u00DCbung");
    EXPECT_EQ(TextOf(Control(IDC_CMBSCHEMES)), L"\u00DCbung");
    EXPECT_EQ(ReadSetting(L"Scheme\u00FCbung", L"Num"), L"2");
    EXPECT_EQ(ReadSetting(L"Scheme\u00DCbung", L"d2"), L"Desk two");
    EXPECT_EQ(Rows(), 2);
}

}  // namespace
}  // namespace harness
