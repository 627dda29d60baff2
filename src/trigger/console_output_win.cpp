#include "trigger/console_output_win.h"

#include <string>

namespace rilto {

namespace {

std::string WithWindowsLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

bool WriteToConsole(HANDLE console, const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), units);
    DWORD written = 0;
    return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written,
                         nullptr) != 0 &&
           written == wide.size();
}

bool WriteToFile(HANDLE file, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (WriteFile(file, text.data() + done, static_cast<DWORD>(text.size() - done), &written,
                      nullptr) == 0 ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

bool WriteText(DWORD standardHandle, std::string_view text) {
    const HANDLE out = GetStdHandle(standardHandle);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::string windowsText = WithWindowsLineEnds(text);
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode) != 0) {
        return WriteToConsole(out, windowsText);
    }
    return WriteToFile(out, windowsText);
}

}  // namespace rilto
