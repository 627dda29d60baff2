#include "engine/clock_win.h"

#include <windows.h>

namespace rilto {

std::uint32_t WinClock::TickCount() {
    return GetTickCount();
}

LocalTime WinClock::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return LocalTime{t.wHour, t.wMinute};
}

}  // namespace rilto
