#include "support/harness.h"

#include <cwchar>
#include <vector>

#include "common/minute.h"
#include "common/product.h"

namespace harness {

namespace {
constexpr const wchar_t* kRoot = rilto::kStoreRootW;
constexpr const wchar_t* kHookClass = rilto::kHookWindowClass;

std::wstring SectionPath(const std::wstring& section) {
    return std::wstring(kRoot) + L"\\" + section;
}
}  // namespace

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\'));
}

std::wstring BinPath(const std::wstring& file) {
    return BinDir() + L"\\" + file;
}

// How often a wait looks again. A look asks the Wine server (the registry, the windows of
// the desktop), and a dozen tests look side by side on two cores: looking more often
// only takes time from the programs they wait for.
constexpr DWORD kLookEveryMs = 50;

void PumpFor(DWORD ms, const FirstLook& first) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (first && first(&msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const FirstLook& first) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return done();
        }
        PumpFor(kLookEveryMs, first);
    }
}

Process::Process(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        cmd += L" " + arguments;
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
    }
}

Process::~Process() {
    Kill();
}

Process::Process(Process&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = other.process_;
        id_ = other.id_;
        other.process_ = nullptr;
    }
    return *this;
}

bool Process::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(DWORD timeoutMs) const {
    if (process_ == nullptr) {
        return std::nullopt;
    }
    // Keep pumping: a program under test may send this thread a message and wait.
    const bool ended =
        WaitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (!ended) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill() {
    if (process_ != nullptr) {
        if (Running()) {
            TerminateProcess(process_, 255);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
}

std::optional<std::wstring> ReadSetting(const std::wstring& section, const std::wstring& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &k) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    DWORD type = 0;
    std::optional<std::wstring> out;
    if (RegQueryValueExW(k, key.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(k, key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                             &size) == ERROR_SUCCESS) {
            out = std::wstring(buf.data());
        }
    }
    RegCloseKey(k);
    return out;
}

void WriteSettingBytes(const std::wstring& section, const std::wstring& key, const void* data,
                       DWORD size, DWORD type) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &k, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(k, key.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }
}

void WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& text) {
    WriteSettingBytes(section, key, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), REG_SZ);
}

void DeleteSetting(const std::wstring& section, const std::wstring& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_WRITE, &k) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(k, key.c_str());
        RegCloseKey(k);
    }
}

void DeleteSection(const std::wstring& section) {
    RegDeleteTreeW(HKEY_CURRENT_USER, SectionPath(section).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, SectionPath(section).c_str());
}

SYSTEMTIME LocalDay(int daysAgo) {
    SYSTEMTIME day{};
    GetLocalTime(&day);
    FILETIME ft{};
    SystemTimeToFileTime(&day, &ft);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    ticks.QuadPart = static_cast<ULONGLONG>(static_cast<LONGLONG>(ticks.QuadPart) -
                                            LONGLONG{daysAgo} * 24 * 3600 * 10'000'000LL);
    ft.dwLowDateTime = ticks.LowPart;
    ft.dwHighDateTime = ticks.HighPart;
    FileTimeToSystemTime(&ft, &day);
    return day;
}

std::wstring LocalDate(int daysAgo) {
    const SYSTEMTIME day = LocalDay(daysAgo);
    wchar_t text[16];
    swprintf(text, 16, L"%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

void ClearStore() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    RegDeleteKeyW(HKEY_CURRENT_USER, kRoot);
}

std::map<std::wstring, std::wstring> SectionsStartingWith(const std::wstring& prefix) {
    std::map<std::wstring, std::wstring> out;
    HKEY root = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) {
        return out;
    }
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (RegEnumKeyExW(root, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::wstring section(name, nameLength);
        if (section.rfind(prefix, 0) != 0) {
            continue;
        }
        HKEY k = nullptr;
        if (RegOpenKeyExW(root, section.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t value[256];
        std::vector<BYTE> data(64 * 1024);
        for (DWORD j = 0;; ++j) {
            DWORD valueLength = 256;
            DWORD size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            if (RegEnumValueW(k, j, value, &valueLength, nullptr, &type, data.data(), &size) !=
                ERROR_SUCCESS) {
                break;
            }
            // The type and every byte of the data, so that any change shows.
            std::wstring bytes = std::to_wstring(type) + L":";
            for (DWORD b = 0; b < size; ++b) {
                bytes += std::to_wstring(data[b]) + L",";
            }
            out[section + L"\\" + std::wstring(value, valueLength)] = bytes;
        }
        RegCloseKey(k);
    }
    RegCloseKey(root);
    return out;
}

bool StoreExists() {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRoot, 0, KEY_READ, &k) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(k);
    return true;
}

HWND TrayWindow() {
    const auto text = ReadSetting(L"Options", L"tray");
    if (!text) {
        return nullptr;
    }
    const unsigned long value = wcstoul(text->c_str(), nullptr, 10);
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<LONG>(value)));
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = L"";
    GetClassNameW(hwnd, name, 256);
    return name;
}

namespace {
struct FindData {
    DWORD pid;
    const std::wstring* title;
    HWND found;
};
BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[256] = L"";
    GetWindowTextW(hwnd, text, 256);
    if (pid == d->pid && *d->title == text) {
        d->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const std::wstring& title) {
    FindData d{processId, &title, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

int CountProcessWindows(DWORD processId, const std::wstring& title) {
    struct Count {
        DWORD pid;
        const std::wstring* title;
        int n;
    } count{processId, &title, 0};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Count*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            wchar_t text[128] = L"";
            GetWindowTextW(w, text, 128);
            c->n += pid == c->pid && IsWindowVisible(w) && *c->title == text ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

void SetProgramMinute(DWORD ms) {
    // Started programs inherit this program's environment.
    SetEnvironmentVariableA(rilto::kMinuteVariable, ms == 0 ? nullptr : std::to_string(ms).c_str());
}

Process StartRilto(const std::wstring& arguments) {
    return StartRiltoAt(BinPath(L"rilto32.exe"), arguments);
}

// A start is quick on a quiet machine; beside a dozen other Wine programs on two cores it
// can take many seconds.
constexpr DWORD kStartWait = 60000;

Process StartRiltoAt(const std::wstring& exe, const std::wstring& arguments) {
    DeleteSetting(L"Options", L"AppPath");  // written last: start-up is complete when it is back
    Process p(exe, arguments);
    WaitUntil(
        [&] {
            const HWND hook = TrayWindow();
            DWORD pid = 0;
            if (hook != nullptr) {
                GetWindowThreadProcessId(hook, &pid);
            }
            return !p.Running() || (pid == p.Id() && ClassOf(hook) == kHookClass &&
                                    ReadSetting(L"Options", L"AppPath").has_value());
        },
        kStartWait);
    return p;
}

void StopRilto(Process& p) {
    if (p.Running()) {
        const HWND hook = TrayWindow();
        if (hook != nullptr && ClassOf(hook) == kHookClass) {
            SendMessageTimeoutW(hook, WM_KEYDOWN, rilto::kKeyShutdown, 0, SMTO_ABORTIFHUNG, 5000,
                                nullptr);
        }
        p.WaitExit(5000);
    }
    p.Kill();
}

}  // namespace harness
