#pragma once
// riltoctl's output: text with "\n" line ends written to standard output or standard
// error, whatever they are. A console gets UTF-16 through WriteConsoleW, so that it
// shows the text whatever its code page; a file or a pipe gets UTF-8 bytes with "\r\n"
// line ends, as Windows' own console programs write them.

#include <windows.h>

#include <string_view>

namespace rilto {

// False when the text could not be written whole.
bool WriteText(DWORD standardHandle, std::string_view text);

}  // namespace rilto
