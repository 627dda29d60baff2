#include "settings/open_file_dialog_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/system_function_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

// Room for the longest path Windows can hand back.
constexpr std::size_t kPathRoom = 32768;

using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
using CommDlgExtendedErrorFn = DWORD(WINAPI*)();

// The common dialogs' library, loaded the first time a file is asked for: it brings the
// printing libraries with it, for a dialog most users never open.
HMODULE CommonDialogs() {
    static const HMODULE module = LoadSystemLibrary(L"comdlg32.dll");
    return module;
}

}  // namespace

std::optional<std::string> AskForFile(HWND owner, const OpenFileRequest& request) {
    // The dialog takes its filter as strings ended by NUL, the whole ended by another.
    std::wstring filter = Widen(request.filter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.push_back(L'\0');
    const std::wstring title = Widen(request.title);
    const std::wstring extension = Widen(request.defaultExtension);
    std::vector<wchar_t> path(kPathRoom, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filter.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = path.data();
    open.nMaxFile = static_cast<DWORD>(path.size());
    open.lpstrTitle = title.c_str();
    open.lpstrDefExt = extension.c_str();
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const auto getOpenFileName =
        FunctionFrom<GetOpenFileNameFn>(CommonDialogs(), "GetOpenFileNameW");
    const auto extendedError =
        FunctionFrom<CommDlgExtendedErrorFn>(CommonDialogs(), "CommDlgExtendedError");
    if (getOpenFileName == nullptr || extendedError == nullptr) {
        TraceLastError("cannot load the file dialog");
        return std::nullopt;
    }
    if (!getOpenFileName(&open)) {
        if (const DWORD error = extendedError(); error != 0) {
            Trace("the file dialog failed: " + std::to_string(error));
        }
        return std::nullopt;
    }
    return Narrow(path.data());
}

}  // namespace rilto
