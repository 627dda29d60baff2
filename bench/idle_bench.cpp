// How long rilto32 takes to start, beside minimal_tray (a tray program of the same shape
// with nothing in it): rilto32 from its launch until the "tray" value names its hook
// window, the minimal program from its launch until its message loop starts (it sets a
// named event then). Several runs of each, one after the other, after one of each that
// is not counted (the files come from disk the first time); the median.
// Its idle costs are measured by scripts/bench-idle.sh.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/product.h"
#include "support/harness.h"

namespace {

constexpr int kRuns = 7;
constexpr DWORD kStartLimitMs = 20000;
constexpr wchar_t kMinimalReady[] = L"RiltoMinimalTrayReady";
constexpr wchar_t kMinimalClass[] = L"RiltoMinimalTray";

double Now() {
    LARGE_INTEGER count{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The hook window of the process is published.
bool Published(DWORD processId) {
    const HWND hook = harness::TrayWindow();
    DWORD owner = 0;
    if (hook != nullptr) {
        GetWindowThreadProcessId(hook, &owner);
    }
    return owner == processId && harness::ClassOf(hook) == rilto::kHookWindowClass;
}

// Milliseconds to the published handle; negative when it did not come.
double TimeRiltoStart() {
    harness::DeleteSetting(L"Options", L"tray");
    const double start = Now();
    harness::Process rilto(harness::BinPath(L"rilto32.exe"), L"");
    double took = -1;
    while (rilto.Running() && Now() - start < kStartLimitMs) {
        if (Published(rilto.Id())) {
            took = Now() - start;
            break;
        }
        Sleep(1);
    }
    harness::StopRilto(rilto);
    return took;
}

// Milliseconds to the message loop; negative when it did not come.
double TimeMinimalStart() {
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, kMinimalReady);
    const double start = Now();
    harness::Process minimal(harness::BinPath(L"minimal_tray.exe"), L"");
    const bool came = WaitForSingleObject(ready, kStartLimitMs) == WAIT_OBJECT_0;
    const double took = came ? Now() - start : -1;
    CloseHandle(ready);
    if (const HWND main = FindWindowW(kMinimalClass, nullptr); main != nullptr) {
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    minimal.WaitExit(5000);
    return took;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    using namespace harness;
    ClearStore();
    WriteSetting(L"Options", L"Initialised", L"1");
    WriteSetting(L"Micropause", L"Audible", L"0");
    WriteSetting(L"Micropause", L"AudiblePre", L"0");
    WriteSetting(L"Exercise", L"AudibleX", L"0");

    TimeRiltoStart();
    TimeMinimalStart();
    std::vector<double> rilto;
    std::vector<double> minimal;
    for (int i = 0; i < kRuns; ++i) {
        rilto.push_back(TimeRiltoStart());
        minimal.push_back(TimeMinimalStart());
    }
    ClearStore();
    if (std::any_of(rilto.begin(), rilto.end(), [](double ms) { return ms < 0; }) ||
        std::any_of(minimal.begin(), minimal.end(), [](double ms) { return ms < 0; })) {
        std::fprintf(stderr, "idle_bench: a program did not start\n");
        return 1;
    }

    std::printf(
        "start-up, ms (rilto32 to its published hook window / minimal_tray to its "
        "message loop):\n");
    for (int i = 0; i < kRuns; ++i) {
        std::printf("  run %d   %7.1f / %7.1f\n", i + 1, rilto[i], minimal[i]);
    }
    const double r = Median(rilto);
    const double m = Median(minimal);
    const double ratio = r / m;
    std::printf("  median  %7.1f / %7.1f   (%.2fx)\n", r, m, ratio);
    std::printf(
        "@figure\tstart-up, median of %d (rilto32 / minimal)\t%.0f ms / %.0f ms (%.2fx)\t"
        "at most 1.2x\t%s\n",
        kRuns, r, m, ratio, ratio <= 1.2 ? "holds" : "FAILS");
    return 0;
}
