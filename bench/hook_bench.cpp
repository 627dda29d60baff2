// What rsiorril.dll costs each input event, next to a minimal low-level hook.
//
// Each set-up gets kEvents events sent with SendInput, one event per call, in rounds
// that take turns with the other set-ups, so that drift of the machine falls on all
// alike; the figure is the median round. A round is timed from the first call until
// a counting hook at the end of the hook chain has seen the last event: Windows calls
// the most recently installed hook first, so the counting hook (installed before the
// hook under test) runs after the hook under test has passed the event on.
// The set-ups, per kind of input:
//   SendInput alone   no hook anywhere; the time the calls take to return
//   chain end only    just the counting hook: the cost of delivery itself
//   pass-through      a hook that only calls CallNextHookEx, on its own thread
//   rsiorril.dll      the library with that kind switched on
// The cost a hook adds is its time minus that of "chain end only".

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "engine/activity_hook.h"
#include "hooklib/rsiorril.h"

namespace {

constexpr int kEvents = 20000;
constexpr int kRounds = 20;
constexpr int kEventsPerRound = kEvents / kRounds;
constexpr int kWarmUpEvents = 20;
constexpr DWORD kDrainTimeoutMs = 120000;
constexpr DWORD kReadyTimeoutMs = 10000;
constexpr int kKindCount = rsiorril::kKindCount;
constexpr int kHookTypes[kKindCount] = {WH_KEYBOARD_LL, WH_MOUSE_LL};
constexpr const char* kKindNames[kKindCount] = {"keyboard", "mouse"};
// The library may cost each event at most this much more than a hook that does nothing.
constexpr double kGoalRatio = 1.2;

std::atomic<long> g_seen[kKindCount];

LRESULT CALLBACK PassThroughProc(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CountKeyboardProc(int code, WPARAM wp, LPARAM lp) {
    g_seen[rsiorril::kKeyboard].fetch_add(1, std::memory_order_relaxed);
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CountMouseProc(int code, WPARAM wp, LPARAM lp) {
    g_seen[rsiorril::kMouse].fetch_add(1, std::memory_order_relaxed);
    return CallNextHookEx(nullptr, code, wp, lp);
}

// One low-level hook on a thread of its own with a message loop, at the priority
// rsiorril's thread runs at, so that the comparison is like with like.
class HookThread {
  public:
    HookThread(int type, HOOKPROC proc) : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this, type, proc] {
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
            MSG msg;
            PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
            HHOOK hook = SetWindowsHookExW(type, proc, GetModuleHandleW(nullptr), 0);
            id_ = GetCurrentThreadId();
            hooked_ = hook != nullptr;
            SetEvent(ready_);
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                DispatchMessageW(&msg);
            }
            if (hook != nullptr) {
                UnhookWindowsHookEx(hook);
            }
        });
        if (WaitForSingleObject(ready_, kReadyTimeoutMs) != WAIT_OBJECT_0) {
            std::printf("hook_bench: a hook thread did not start\n");
            ExitProcess(1);
        }
    }
    ~HookThread() {
        PostThreadMessageW(id_, WM_QUIT, 0, 0);
        thread_.join();
        CloseHandle(ready_);
    }
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;
    bool Hooked() const { return hooked_; }

  private:
    HANDLE ready_;
    std::thread thread_;
    DWORD id_ = 0;
    bool hooked_ = false;
};

INPUT EventOf(int kind, int i) {
    INPUT in{};
    if (kind == rsiorril::kKeyboard) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_F24;
        in.ki.dwFlags = i % 2 == 0 ? 0 : KEYEVENTF_KEYUP;
    } else {
        in.type = INPUT_MOUSE;
        in.mi.dx = i % 2 == 0 ? 1 : -1;  // one pixel there and back
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
    }
    return in;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// Microseconds per event: sends `count` events and, when `awaitChainEnd`, waits for
// the counting hook to see all of them. Negative when events went missing.
double Run(int kind, int count, bool awaitChainEnd) {
    const long target = g_seen[kind].load() + count;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i) {
        INPUT in = EventOf(kind, i);
        SendInput(1, &in, sizeof in);
    }
    if (awaitChainEnd) {
        const DWORD waitStart = GetTickCount();
        while (g_seen[kind].load() < target) {
            if (GetTickCount() - waitStart > kDrainTimeoutMs) {
                return -1;
            }
            Sleep(1);
        }
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end) * 1e6 / count;
}

// Rounds hit by a burst of other work on the machine do not move the median.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring BesideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1) + file;
}

void PrintLine(const char* kind, const char* what, double us, double base) {
    if (base > 0) {
        std::printf("%-8s  %-38s  %8.2f us/event  (+%.2f us over chain end only)\n", kind, what, us,
                    us - base);
    } else {
        std::printf("%-8s  %-38s  %8.2f us/event\n", kind, what, us);
    }
}

}  // namespace

int main() {
    HMODULE library = LoadLibraryW(BesideThisProgram(L"rsiorril.dll").c_str());
    const auto install =
        library == nullptr
            ? nullptr
            : reinterpret_cast<rsiorril::InstallFilterFn>(reinterpret_cast<void (*)()>(
                  GetProcAddress(library, rsiorril::kInstallFilterName)));
    if (install == nullptr) {
        std::printf("hook_bench: rsiorril.dll not found beside the program\n");
        return 1;
    }

    std::printf(
        "hook_bench: %d SendInput events (one per call) per set-up and kind, in %d "
        "interleaved rounds of %d;\n"
        "  each figure is the median round: time from the first call until the last "
        "event has passed the hook chain\n",
        kEvents, kRounds, kEventsPerRound);
    for (int kind = 0; kind < kKindCount; ++kind) {
        const char* name = kKindNames[kind];
        const HOOKPROC count = kind == rsiorril::kKeyboard ? CountKeyboardProc : CountMouseProc;
        // Microseconds per event of each round, per set-up.
        enum Setup { kAlone, kChainEnd, kPassThrough, kLibrary, kSetups };
        constexpr int kTurns = kSetups - kChainEnd;
        std::vector<double> rounds[kSetups];
        bool lost = false;
        const auto add = [&](Setup setup, double perEvent) {
            lost = lost || perEvent < 0;
            rounds[setup].push_back(perEvent);
        };
        for (int round = 0; round < kRounds; ++round) {
            Run(kind, kWarmUpEvents, false);
            add(kAlone, Run(kind, kEventsPerRound, false));

            HookThread chainEnd(kHookTypes[kind], count);
            if (!chainEnd.Hooked()) {
                std::printf("hook_bench: could not hook %s input\n", name);
                return 1;
            }
            // The set-ups with the counting hook take turns at going first.
            for (int turn = 0; turn < kTurns; ++turn) {
                switch ((round + turn) % kTurns) {
                    case 0:
                        Run(kind, kWarmUpEvents, true);
                        add(kChainEnd, Run(kind, kEventsPerRound, true));
                        break;
                    case 1: {
                        HookThread hook(kHookTypes[kind], PassThroughProc);
                        Run(kind, kWarmUpEvents, true);
                        add(kPassThrough, Run(kind, kEventsPerRound, true));
                        break;
                    }
                    default:
                        install(kind, rilto::kFilterOn);
                        Run(kind, kWarmUpEvents, true);
                        add(kLibrary, Run(kind, kEventsPerRound, true));
                        install(kind, rilto::kFilterOff);
                        break;
                }
            }
        }
        if (lost) {
            std::printf("%-8s  events went missing: no figures\n", name);
            continue;
        }
        double us[kSetups];
        for (int setup = 0; setup < kSetups; ++setup) {
            us[setup] = Median(rounds[setup]);
        }
        PrintLine(name, "SendInput alone (no hook, call time)", us[kAlone], 0);
        PrintLine(name, "chain end only", us[kChainEnd], 0);
        PrintLine(name, "pass-through hook + chain end", us[kPassThrough], us[kChainEnd]);
        PrintLine(name, "rsiorril.dll + chain end", us[kLibrary], us[kChainEnd]);
        const double addedPass = us[kPassThrough] - us[kChainEnd];
        const double addedLibrary = us[kLibrary] - us[kChainEnd];
        std::printf("%-8s  %-38s  %8.2f total", name, "ratio rsiorril / pass-through",
                    us[kLibrary] / us[kPassThrough]);
        if (addedPass > 0 && addedLibrary > 0) {
            std::printf(", %.2f of the added cost", addedLibrary / addedPass);
        }
        std::printf("\n");
        const double ratio = us[kLibrary] / us[kPassThrough];
        std::printf(
            "@figure\thook cost, %s (rsiorril / pass-through hook)\t%.1f / %.1f us "
            "(%.2fx)\tat most %.1fx\t%s\n",
            name, us[kLibrary], us[kPassThrough], ratio, kGoalRatio,
            ratio <= kGoalRatio ? "holds" : "FAILS");
    }
    FreeLibrary(library);
    return 0;
}
