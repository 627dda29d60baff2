#pragma once
// The standard file-open dialog, for a file that exists.

#include <windows.h>

#include <optional>
#include <string>

namespace rilto {

struct OpenFileRequest {
    const char* title;
    // Pairs of a name and its patterns, each ended by "|".
    const char* filter;
    // Added to a name typed without one.
    const char* defaultExtension;
};

// The full name of the file picked, or nothing when the user cancels.
std::optional<std::string> AskForFile(HWND owner, const OpenFileRequest& request);

}  // namespace rilto
