// The shipped files as built: each one file, needing no library of its own beside it,
// and the runtime's last word when an exception escapes, told without the demangler.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "support/harness.h"

using namespace harness;

namespace {

// The libraries a program names in its import table, lower case.
std::set<std::string> ImportedLibraries(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(in), {}};
    const auto at = [&](std::size_t offset) { return image.data() + offset; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew));
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    const auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        throw std::out_of_range("address outside every section");
    };
    std::set<std::string> names;
    const DWORD imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(fileOffset(imports)));
         d->Name != 0; ++d) {
        std::string name = at(fileOffset(d->Name));
        for (char& c : name) {
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        }
        names.insert(name);
    }
    return names;
}

TEST(ShippedFiles, ImportOnlyLibrariesOfWindowsItself) {
    const std::set<std::string> windows = {"advapi32.dll", "comctl32.dll", "comdlg32.dll",
                                           "gdi32.dll",    "kernel32.dll", "msvcrt.dll",
                                           "ole32.dll",    "shell32.dll",  "user32.dll",
                                           "version.dll",  "winmm.dll",    "wtsapi32.dll"};
    for (const wchar_t* file : {L"rilto32.exe", L"shutdowntrigger.exe", L"riltoctl.exe",
                                L"riltomultimedia.exe", L"rsiorril.dll"}) {
        const std::set<std::string> imported = ImportedLibraries(BinPath(file));
        EXPECT_TRUE(imported.count("kernel32.dll")) << "no import table read from " << file;
        for (const std::string& name : imported) {
            EXPECT_TRUE(windows.count(name)) << file << " needs " << name;
        }
    }
}

TEST(TerminateHandler, NamesTheEscapedExceptionAndItsTextThenAborts) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring logPath = std::wstring(folder) + L"uncaught_helper.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE log = CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                   CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(log, INVALID_HANDLE_VALUE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = log;
    startup.hStdError = log;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + BinPath(L"uncaught_helper.exe") + L"\"";
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(log);
    ASSERT_TRUE(started);
    CloseHandle(process.hThread);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);

    std::ifstream in(logPath.c_str());  // text mode: the helper wrote CR LF
    const std::string said{std::istreambuf_iterator<char>(in), {}};
    in.close();
    DeleteFileW(logPath.c_str());
    EXPECT_NE(said.find(std::string("terminate called after throwing an instance of '") +
                        typeid(std::runtime_error).name() + "'\n  what():  nothing catches this\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(code, 3u);  // what abort() leaves
}

}  // namespace
