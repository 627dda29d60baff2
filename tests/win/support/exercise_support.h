#pragma once
// Exercise breaks seen from outside the program: schemes written to the store, the
// media the build made, the player window and what its surface shows.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace harness {

struct SchemeEntry {
    std::wstring file;
    std::wstring title;
    int seconds;
    bool doIt = true;
};

// The scheme stored, and listed at `place` (from 1) in "Schemes" with `listed` names.
void WriteScheme(const std::wstring& name, const std::vector<SchemeEntry>& entries);
void ListSchemes(const std::vector<std::wstring>& names);

// The exercise media beside the program, as the build lists them in media.txt.
std::vector<std::wstring> MediaFiles();
// The first of them with this ending (".avi", ".bmp").
std::wstring FirstMediaFile(const std::wstring& ending);

// The exercise player of the process, when it is showing.
HWND PlayerWindow(DWORD processId);
// The reminder of the process, when it is showing.
HWND ReminderWindow(DWORD processId);
// The player's surface: its child that shows the exercise.
HWND PlayerSurface(HWND player);
// What the screen shows inside the window, as a checksum of its pixels; nothing when
// it cannot be read.
std::optional<std::uint64_t> ScreenChecksum(HWND hwnd);
// The number in "Title (n)", or nothing.
std::optional<int> SecondsInCaption(const std::wstring& caption);

// CPU time the process has used so far, in milliseconds.
double CpuMilliseconds(HANDLE process);
// What the process holds: GDI objects, USER objects, kernel handles, and its private
// memory in KB. Some are always 0 where the system does not count them (Wine).
struct Holdings {
    DWORD gdi = 0;
    DWORD user = 0;
    DWORD handles = 0;
    std::size_t memoryKb = 0;
};
Holdings HoldingsOf(HANDLE process);

}  // namespace harness
