#include "engine/clock_win.h"

#include <windows.h>

namespace rilto {

namespace {

// FILETIME counts 100 ns from 1601; the program counts seconds from 1970.
constexpr std::int64_t kFileTimeTo1970 = 116'444'736'000'000'000;
constexpr std::int64_t kFileTimePerSecond = 10'000'000;

std::int64_t SecondsOf(const FILETIME& ft) {
    const auto ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return (ticks - kFileTimeTo1970) / kFileTimePerSecond;
}

FILETIME FileTimeOf(std::int64_t seconds) {
    const auto ticks = static_cast<std::uint64_t>(seconds * kFileTimePerSecond + kFileTimeTo1970);
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

CivilDateTime CivilOf(const SYSTEMTIME& t) {
    return CivilDateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

SYSTEMTIME SystemTimeOf(const CivilDateTime& t) {
    SYSTEMTIME s{};
    s.wYear = static_cast<WORD>(t.year);
    s.wMonth = static_cast<WORD>(t.month);
    s.wDay = static_cast<WORD>(t.day);
    s.wHour = static_cast<WORD>(t.hour);
    s.wMinute = static_cast<WORD>(t.minute);
    s.wSecond = static_cast<WORD>(t.second);
    return s;
}

}  // namespace

std::uint32_t WinClock::TickCount() {
    return GetTickCount();
}

std::uint64_t WinClock::TickCount64() {
    return GetTickCount64();
}

LocalTime WinClock::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return LocalTime{t.wHour, t.wMinute};
}

std::int64_t WinClock::UtcNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return SecondsOf(now);
}

CivilDateTime WinClock::ToLocal(std::int64_t utc) {
    const FILETIME ft = FileTimeOf(utc);
    SYSTEMTIME system{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&ft, &system) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &system, &local)) {
        return CivilFromSeconds(utc);
    }
    return CivilOf(local);
}

std::int64_t WinClock::FromLocal(const CivilDateTime& local) {
    const SYSTEMTIME wall = SystemTimeOf(local);
    SYSTEMTIME system{};
    FILETIME ft{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &wall, &system) ||
        !SystemTimeToFileTime(&system, &ft)) {
        return SecondsFromCivil(local);
    }
    return SecondsOf(ft);
}

}  // namespace rilto
