#pragma once
// The window class of the running program's hook window. Other processes check it
// before they send a key command to the handle stored in "tray", so that a stale
// handle never sends a key press to another program's window.

#define RILTO_HOOK_CLASS "RiltoMicropauseHook"

#ifndef RC_INVOKED
namespace rilto {
inline constexpr wchar_t kHookWindowClass[] = L"" RILTO_HOOK_CLASS;
}  // namespace rilto
#endif
