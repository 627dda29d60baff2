#include "common/program_folder_win.h"

#include <windows.h>

#include <vector>

#include "common/wide_text_win.h"

namespace rilto {

std::string ProgramFolder() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) {
            return {};
        }
        if (n < buf.size()) {
            std::wstring path(buf.data(), n);
            const auto slash = path.find_last_of(L'\\');
            if (slash == std::wstring::npos) {
                return {};
            }
            // Keep the backslash of a drive root ("C:\").
            const bool root = slash == 2 && path[1] == L':';
            return Narrow(path.substr(0, root ? slash + 1 : slash));
        }
        buf.resize(buf.size() * 2);
    }
}

}  // namespace rilto
