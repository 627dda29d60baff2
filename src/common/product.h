#pragma once
// Facts about the product that its programs, its hook library and its tests share:
// where the settings live, how a running copy is reached, and the input kinds.

// As macros too, so that wide and narrow literals and resource scripts can be made
// from the one text.
#define RILTO_PRODUCT_TITLE "Rilto Micropause"
#define RILTO_STORE_ROOT "Software\\VB and VBA Program Settings\\" RILTO_PRODUCT_TITLE
#define RILTO_HOOK_CLASS "RiltoMicropauseHook"

#ifndef RC_INVOKED
#include <cstdint>

namespace rilto {

// The product's title: the tray tip, window captions, and the name of its store.
inline constexpr char kProductTitle[] = RILTO_PRODUCT_TITLE;

// The settings store lives under HKEY_CURRENT_USER at this path; each section is a
// key beneath it.
inline constexpr char kStoreRoot[] = RILTO_STORE_ROOT;
inline constexpr wchar_t kStoreRootW[] = L"" RILTO_STORE_ROOT;

// Sections of the store.
inline constexpr char kOptions[] = "Options";
inline constexpr char kMicropause[] = "Micropause";
inline constexpr char kExercise[] = "Exercise";
inline constexpr char kSchemes[] = "Schemes";
inline constexpr char kHold[] = "Hold";
inline constexpr char kSchedule[] = "Schedule";
inline constexpr char kDailyLimit[] = "DailyLimit";
inline constexpr char kHotkeys[] = "Hotkeys";

// The section "Options" as one path: what shutdowntrigger and the companion open.
inline constexpr wchar_t kOptionsKeyW[] = L"" RILTO_STORE_ROOT "\\Options";

// "Options" values that other processes read.
inline constexpr char kTrayValue[] = "tray";  // decimal handle of the hook window, "0" when none
inline constexpr char kInitialisedValue[] = "Initialised";
inline constexpr char kAppPathValue[] = "AppPath";

// The window class of a running copy's hook window. A sender checks it before it sends
// a key command to the handle in "tray", so that a stale handle never sends a key press
// to another program's window.
inline constexpr wchar_t kHookWindowClass[] = L"" RILTO_HOOK_CLASS;

// Key codes sent as WM_KEYDOWN to the hook window.
inline constexpr int kKeyShutdown = 99;  // end at once
inline constexpr int kKeyShowMenu = 0;   // any code but 99 shows the tray menu

// Input kinds of the activity hook; every loop over them runs keyboard, then mouse.
inline constexpr std::int32_t kKeyboard = 0;
inline constexpr std::int32_t kMouse = 1;
inline constexpr std::int32_t kInputKinds = 2;

// Files of the program folder.
inline constexpr char kHookLibraryFile[] = "rsiorril.dll";
inline constexpr char kDefaultSettingsFile[] = "rilto32.reg";
inline constexpr char kCompanionProgram[] = "riltomultimedia.exe";
inline constexpr char kRegistryEditor[] = "regedit.exe";

}  // namespace rilto
#endif
