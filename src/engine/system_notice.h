#pragma once
// What Windows' power and session notices mean to the program. WM_POWERBROADCAST and
// WM_WTSSESSION_CHANGE carry their event in wParam; the numbers are Windows' own, so the
// decision which of them count, and as what, is made here, away from the window.

#include <cstdint>

namespace rilto {

enum class SystemNotice { None, Suspended, Resumed, Locked, Unlocked };

// WM_POWERBROADCAST. The machine is going to sleep; it woke. Windows says it woke twice
// over: always automatically, and once more when the user woke it; either ends the
// sleep, the second changes nothing. An old system's critical resume follows a sleep it
// gave no notice of. The rest (a question that may still be refused, battery and power
// setting changes) leaves the machine as it is.
SystemNotice PowerNotice(std::uintptr_t event);

// WM_WTSSESSION_CHANGE, for this program's session. A lock, or the session leaving the
// screen it was shown on (another user switched in at the console, a remote client went
// away), takes the user from the machine; only an unlock brings them back, as a session
// that returns to a screen may still show the lock screen there.
SystemNotice SessionNotice(std::uintptr_t event);

}  // namespace rilto
