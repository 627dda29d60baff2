#pragma once
// What the Windows tests use to drive the real programs as another program on the
// same desktop would: start them, read and write the store in the registry, find
// their windows, and wait for things with a bound on every wait.

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace harness {

// The folder of the test program; the programs under test are built beside it.
std::wstring BinDir();
std::wstring BinPath(const std::wstring& file);

// What a program's own message loop does with a message before dispatching it, as a
// window of the program under test would have it: true when the window took it.
using FirstLook = std::function<bool(MSG*)>;

// How long a test waits for something the program should show or do soon. A loaded
// machine running many copies of Wine may take many seconds to start a program or
// paint a window; a wait that succeeds returns at once, so a long limit costs nothing.
constexpr DWORD kShowWait = 30000;

// Polls `done` every 20 ms, pumping this thread's messages, for at most `timeoutMs`.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const FirstLook& first = {});
// Pumps this thread's messages for `ms`; what is waiting at least once.
void PumpFor(DWORD ms, const FirstLook& first = {});

// A started program. Ends it on destruction if it still runs.
class Process {
  public:
    Process() = default;
    Process(const std::wstring& exe, const std::wstring& arguments);
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;

    bool Started() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return id_; }
    bool Running() const;
    // Waits for the end; the exit code, or nothing on time-out.
    std::optional<DWORD> WaitExit(DWORD timeoutMs) const;
    void Kill();

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The store under HKCU\Software\VB and VBA Program Settings\Rilto Micropause.
std::optional<std::wstring> ReadSetting(const std::wstring& section, const std::wstring& key);
void WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& text);
void WriteSettingBytes(const std::wstring& section, const std::wstring& key, const void* data,
                       DWORD size, DWORD type);
void DeleteSetting(const std::wstring& section, const std::wstring& key);
void DeleteSection(const std::wstring& section);
// Every value of every section whose name starts with `prefix`, as "section\\key" and its
// type and bytes.
std::map<std::wstring, std::wstring> SectionsStartingWith(const std::wstring& prefix);
// The local day `daysAgo` days before today (after it when negative).
SYSTEMTIME LocalDay(int daysAgo = 0);
// That day as the statistics name it, "YYYY-MM-DD".
std::wstring LocalDate(int daysAgo = 0);
// Removes the whole store of the program.
void ClearStore();
bool StoreExists();

// The window whose decimal handle "tray" holds, or null.
HWND TrayWindow();
std::wstring ClassOf(HWND hwnd);
// A top-level window of the process with the given title, or null.
HWND FindProcessWindow(DWORD processId, const std::wstring& title);
// How many visible top-level windows of the process have this title.
int CountProcessWindows(DWORD processId, const std::wstring& title);

// The minute of the copies of rilto32 started from now on, in milliseconds: what each of
// their counts in minutes counts, given them in their environment. 0 is a real minute.
void SetProgramMinute(DWORD ms);

// Starts rilto32 and waits until it has published its hook window.
Process StartRilto(const std::wstring& arguments = L"");
// The same for a copy of rilto32 elsewhere.
Process StartRiltoAt(const std::wstring& exe, const std::wstring& arguments);
// Ends every copy of rilto32 the tests started, with the shutdown key command.
void StopRilto(Process& p);

}  // namespace harness

namespace harness {

// The main form of the running copy: the top-level window of its hook window.
HWND MainForm();
// A control of the main form or of its panel, by identifier.
HWND FormControl(int id);
std::wstring TextOf(HWND hwnd);
bool IsTopmost(HWND hwnd);

// The program's tray icon exists: the taskbar accepts a change to it. Shell
// refuses changes to icons it does not have.
bool TrayIconPresent(HWND hookWindow);

// A visible top-level window of the process with the class, or null.
HWND FindVisibleWindowOfClass(DWORD processId, const wchar_t* windowClass);
// A popup menu window shown by the process, or null.
HWND FindMenuWindow(DWORD processId);
// The process's popup menu once it has taken the keyboard (its thread in menu mode and in
// the foreground, where typed keys go); null after `timeoutMs`, or at once when a menu
// that showed closes before that. A key typed at a menu that shows but is not yet
// tracking is lost on a loaded machine.
HWND WaitForMenuKeyboard(DWORD processId, DWORD timeoutMs = kShowWait);
// Presses `vk` at the process's menu once it has the keyboard, and again while `done` has
// not come within a few seconds and the menu still shows, up to 3 times; true once `done`.
bool PressAtMenu(DWORD processId, WORD vk, const std::function<bool()>& done);
// The same for a character: a menu item's access key.
bool TypeAtMenu(DWORD processId, wchar_t c, const std::function<bool()>& done);
// A message box (or other dialog) shown by the process, or null.
HWND FindMessageBox(DWORD processId);
// A visible dialog or message box of any process that `match` picks, or null.
HWND FindDialogWhere(const std::function<bool(HWND)>& match);
// A visible dialog or message box of the process with this title, or null.
HWND FindDialog(DWORD processId, const std::wstring& title);
// The texts of a dialog's static controls, joined by newlines: a message box's message.
std::wstring StaticTexts(HWND dialog);
// The handle as "tray" holds it.
std::wstring Decimal(HWND hwnd);

// Real input, as the user would give it.
void PressKey(WORD vk);
// A key pressed while another is held: Alt+F4, say.
void PressKeyWith(WORD held, WORD vk);
void TypeChar(wchar_t c);
void MoveMouseBy(int dx, int dy);
void ClickAt(int x, int y, bool right);

// Saves the screen as a .bmp under build/screenshots for people to look at.
void SaveScreenshot(const std::wstring& name);

// Two clicks of the left button, as a double click.
void DoubleClickAt(int x, int y);
POINT CentreOf(HWND hwnd);
// WM_DPICHANGED as a move from a 96 DPI monitor to one of `dpi` brings it: the window's
// size grown in proportion, as the suggested rectangle.
void SendDpiChange(HWND window, UINT dpi);
// Where the program's tray icon sits on the screen.
POINT TrayIconCentre();
// The mouse pointer moved to a point of the screen, as the user moves it.
void MoveMouseTo(POINT at);
// A tooltip window showing now, of any process, or null.
HWND VisibleTip();
// The tip the tray shows for its first icon: the pointer leaves the tray, comes back onto
// the icon and stays until the tip shows; then leaves again. Empty when none shows.
std::wstring TipOfTheTrayIcon();
// How many pixels of the tray's first icon, as drawn on the screen, have the program
// icon's teal: most of the face, where the paused icon's grey face has none. (Wine draws
// a changed icon over the old one, so the pictures are told apart by colour, not
// compared pixel for pixel.)
int TealPixelsInTheTray();
bool TrayShowsTheProgramIcon();
bool TrayShowsThePausedIcon();
// A control anywhere inside a window (on a page of a dialog, say), by identifier.
HWND DescendantWithId(HWND window, int id);

// A window of this test program standing in for another program on the desktop. It
// counts the key presses it receives, by virtual-key code.
class OtherProgramWindow {
  public:
    // Visible windows can take the foreground and the keyboard focus.
    explicit OtherProgramWindow(bool visible = false);
    ~OtherProgramWindow();
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    int KeyDowns(WPARAM vk) const;
    int AllKeyDowns() const;
    // Takes the foreground and the focus; true when it has them.
    bool TakeForeground();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    int keyDowns_[256] = {};
};

}  // namespace harness
