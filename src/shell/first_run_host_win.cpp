#include "shell/first_run_host_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/handles_win.h"
#include "common/program_folder_win.h"
#include "common/wide_text_win.h"

namespace rilto {

std::optional<std::string> WinFirstRunHost::ReadEnvironment(const std::string& name) {
    const std::wstring wname = Widen(name);
    const DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (n == 0) {
        return std::nullopt;
    }
    std::vector<wchar_t> buf(n);
    const DWORD got = GetEnvironmentVariableW(wname.c_str(), buf.data(), n);
    return Narrow(std::wstring_view(buf.data(), got < n ? got : 0));
}

bool WinFirstRunHost::IsOrdinaryFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    constexpr DWORD kNotOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
}

void WinFirstRunHost::RemoveFile(const std::string& path) {
    DeleteFileW(Widen(path).c_str());
}

bool WinFirstRunHost::ShellAndWait(const std::string& commandLine) {
    std::wstring cmd = Widen(commandLine);  // CreateProcessW may write to it
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &si, &pi)) {
        return false;
    }
    const UniqueHandle process(pi.hProcess);
    const UniqueHandle thread(pi.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return true;
}

std::optional<std::string> WinFirstRunHost::ReadFile(const std::string& path) {
    const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size) ||
        size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxSettingsFileBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    // Only as much as the size said: a file that grows meanwhile is read no further.
    while (got < bytes.size()) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &n,
                        nullptr)) {
            return std::nullopt;
        }
        if (n == 0) {
            break;  // it shrank
        }
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

std::string WinFirstRunHost::ProgramFolder() {
    return rilto::ProgramFolder();
}

}  // namespace rilto
