#include "support/exercise_support.h"

#include <psapi.h>

#include <filesystem>
#include <fstream>

#include "exercise/frm_x_ids.h"
#include "support/harness.h"

namespace harness {

namespace {

constexpr wchar_t kPlayerClass[] = L"RiltoExercisePlayer";
constexpr wchar_t kReminderClass[] = L"RiltoExerciseReminder";

}  // namespace

void WriteScheme(const std::wstring& name, const std::vector<SchemeEntry>& entries) {
    const std::wstring section = L"Scheme" + name;
    DeleteSection(section);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::wstring k = std::to_wstring(i + 1);
        WriteSetting(section, k, entries[i].file);
        WriteSetting(section, L"d" + k, entries[i].title);
        WriteSetting(section, L"y" + k, entries[i].doIt ? L"1" : L"0");
        WriteSetting(section, L"s" + k, std::to_wstring(entries[i].seconds));
    }
    WriteSetting(section, L"Num", std::to_wstring(entries.size()));
}

void ListSchemes(const std::vector<std::wstring>& names) {
    DeleteSection(L"Schemes");
    for (std::size_t i = 0; i < names.size(); ++i) {
        WriteSetting(L"Schemes", std::to_wstring(i + 1), names[i]);
    }
    WriteSetting(L"Schemes", L"Num", std::to_wstring(names.size()));
}

std::vector<std::wstring> MediaFiles() {
    std::vector<std::wstring> files;
    std::ifstream list(std::filesystem::path(BinPath(L"media.txt")));
    for (std::string line; std::getline(list, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (!line.empty()) {
            files.emplace_back(line.begin(), line.end());
        }
    }
    return files;
}

std::wstring FirstMediaFile(const std::wstring& ending) {
    for (const std::wstring& f : MediaFiles()) {
        if (f.size() > ending.size() &&
            f.compare(f.size() - ending.size(), ending.size(), ending) == 0 && f != L"title.avi") {
            return f;
        }
    }
    return {};
}

HWND PlayerWindow(DWORD processId) {
    return FindVisibleWindowOfClass(processId, kPlayerClass);
}

HWND ReminderWindow(DWORD processId) {
    return FindVisibleWindowOfClass(processId, kReminderClass);
}

HWND PlayerSurface(HWND player) {
    return GetDlgItem(player, IDC_X_SURFACE);
}

std::optional<std::uint64_t> ScreenChecksum(HWND hwnd) {
    RECT r{};
    if (hwnd == nullptr || !GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) {
        return std::nullopt;
    }
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::optional<std::uint64_t> sum;
    if (bitmap != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY)) {
            std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
            const auto* p = static_cast<const std::uint32_t*>(bits);
            for (int i = 0; i < w * h; ++i) {
                hash = (hash ^ (p[i] & 0xFFFFFFu)) * 1099511628211ull;
            }
            sum = hash;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return sum;
}

std::optional<int> SecondsInCaption(const std::wstring& caption) {
    const auto open = caption.rfind(L" (");
    if (open == std::wstring::npos || caption.empty() || caption.back() != L')') {
        return std::nullopt;
    }
    try {
        return std::stoi(caption.substr(open + 2, caption.size() - open - 3));
    } catch (...) {
        return std::nullopt;
    }
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto ticks = [](FILETIME t) {
        return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10'000.0;
}

Holdings HoldingsOf(HANDLE process) {
    Holdings h;
    h.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    h.user = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &h.handles);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        h.memoryKb = std::max(counters.PrivateUsage, counters.PagefileUsage) / 1024;
    }
    return h;
}

}  // namespace harness
