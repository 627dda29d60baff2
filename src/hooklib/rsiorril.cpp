// rsiorril.dll: a system-wide low-level keyboard hook and mouse hook that store the
// tick count of the latest event of each kind.
//
// Windows calls a low-level hook on the thread that installed it, through that
// thread's message loop, and drops hooks that answer too slowly. The program's own
// thread blocks for seconds at times (beep patterns), so the hooks live on a thread
// of this library: it runs at time-critical priority, does nothing but pump
// messages, and each callback only stores a number and passes the event on.
//
// The thread exists only while at least one kind is switched on. It holds a
// reference on this library and leaves through FreeLibraryAndExitThread, so the
// code it runs cannot be unloaded under it: FreeLibrary while a kind is on leaves
// the library in place until the kinds are switched off (or the process ends, which
// takes the thread and its hooks with it). Nothing is started or waited for inside
// DllMain, where the loader lock is held.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <type_traits>

#include "common/handles_win.h"
#include "hooklib/rsiorril.h"

namespace {

using rsiorril::kKindCount;

// Posted to the hook thread: wParam the kind, lParam 1 for on, 0 for off.
constexpr UINT kSetHookMessage = WM_APP + 1;
// The hook thread answers within microseconds; the bound only keeps a caller from
// hanging when it cannot run at all (a caller inside some DllMain, say).
constexpr DWORD kReplyTimeoutMs = 5000;

constexpr int kHookTypes[kKindCount] = {WH_KEYBOARD_LL, WH_MOUSE_LL};

using rilto::UniqueHandle;

HMODULE g_module = nullptr;

// GetTickCount at the latest input of each kind. Written by the hook thread, read by
// any thread; a single aligned word needs no more than relaxed ordering.
std::atomic<std::int32_t> g_times[kKindCount];

// Whether the hook thread holds a hook for the kind it was last told about; written
// before it signals its reply event.
std::atomic<bool> g_hookInPlace{false};

// A switch for tests: with RILTO_TEST_DROP_HOOKS_MS set to a number of milliseconds,
// the first hook thread of the process drops its hooks that long after it starts,
// without a word, as Windows removes a hook whose callback was too slow.
constexpr wchar_t kDropHooksVariable[] = L"RILTO_TEST_DROP_HOOKS_MS";
std::atomic<bool> g_dropArmed{false};

UINT_PTR ArmTestDrop() {
    wchar_t text[16] = {};
    const DWORD n = GetEnvironmentVariableW(kDropHooksVariable, text, 16);
    if (n == 0 || n >= 16 || g_dropArmed.exchange(true)) {
        return 0;
    }
    const unsigned long ms = wcstoul(text, nullptr, 10);
    return ms > 0 ? SetTimer(nullptr, 0, static_cast<UINT>(ms), nullptr) : 0;
}

// The hook thread as the callers of InstallFilter see it. Only touched under
// g_control, which serialises every switch.
struct HookThread {
    UniqueHandle thread;
    DWORD id = 0;
    UniqueHandle reply;  // auto-reset: "ready" once, then one answer per command
    bool on[kKindCount] = {};
};
SRWLOCK g_control = SRWLOCK_INIT;
HookThread g_hookThread;

class ControlLock {
  public:
    ControlLock() { AcquireSRWLockExclusive(&g_control); }
    ~ControlLock() { ReleaseSRWLockExclusive(&g_control); }
    ControlLock(const ControlLock&) = delete;
    ControlLock& operator=(const ControlLock&) = delete;
};

std::int32_t Tick() {
    return static_cast<std::int32_t>(GetTickCount());
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        g_times[rsiorril::kKeyboard].store(Tick(), std::memory_order_relaxed);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        g_times[rsiorril::kMouse].store(Tick(), std::memory_order_relaxed);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

constexpr HOOKPROC kHookProcs[kKindCount] = {KeyboardProc, MouseProc};

DWORD WINAPI HookThreadMain(void* param) {
    const HANDLE reply = static_cast<HANDLE>(param);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    MSG msg;
    // Make the message queue before anyone posts to it.
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(reply);

    HHOOK hooks[kKindCount] = {};
    // The kinds switched on. A hook Windows removed leaves its kind on: switching it off
    // and on again sets a new one, and the thread stays until no kind is on.
    bool on[kKindCount] = {};
    const UINT_PTR drop = ArmTestDrop();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (drop != 0 && msg.hwnd == nullptr && msg.message == WM_TIMER && msg.wParam == drop) {
            KillTimer(nullptr, drop);
            for (HHOOK& h : hooks) {
                if (h != nullptr) {
                    UnhookWindowsHookEx(h);
                    h = nullptr;
                }
            }
            continue;
        }
        if (msg.hwnd != nullptr || msg.message != kSetHookMessage || msg.wParam >= kKindCount) {
            DispatchMessageW(&msg);
            continue;
        }
        const auto kind = static_cast<std::size_t>(msg.wParam);
        if (msg.lParam != 0 && hooks[kind] == nullptr) {
            hooks[kind] = SetWindowsHookExW(kHookTypes[kind], kHookProcs[kind], g_module, 0);
        } else if (msg.lParam == 0 && hooks[kind] != nullptr) {
            UnhookWindowsHookEx(hooks[kind]);
            hooks[kind] = nullptr;
        }
        on[kind] = hooks[kind] != nullptr;
        g_hookInPlace.store(on[kind]);
        SetEvent(reply);
        if (!on[rsiorril::kKeyboard] && !on[rsiorril::kMouse]) {
            break;
        }
    }
    for (HHOOK h : hooks) {
        if (h != nullptr) {
            UnhookWindowsHookEx(h);
        }
    }
    FreeLibraryAndExitThread(g_module, 0);
}

// Forgets a thread that died or stopped answering. One that is still running keeps
// its handles (it may yet signal the reply event) and its reference on the library.
void AbandonHookThread(bool stillRunning) {
    if (stillRunning) {
        static_cast<void>(g_hookThread.thread.release());
        static_cast<void>(g_hookThread.reply.release());
    }
    g_hookThread = HookThread{};
}

bool StartHookThread() {
    UniqueHandle reply(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!reply) {
        return false;
    }
    // The thread's own reference on this library, given back as it exits.
    HMODULE pinned = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&HookThreadMain), &pinned)) {
        return false;
    }
    DWORD id = 0;
    UniqueHandle thread(CreateThread(nullptr, 0, HookThreadMain, reply.get(), 0, &id));
    if (!thread) {
        FreeLibrary(pinned);
        return false;
    }
    g_hookThread.thread = std::move(thread);
    g_hookThread.reply = std::move(reply);
    g_hookThread.id = id;

    const HANDLE waits[] = {g_hookThread.reply.get(), g_hookThread.thread.get()};
    const DWORD ready = WaitForMultipleObjects(2, waits, FALSE, kReplyTimeoutMs);
    if (ready != WAIT_OBJECT_0) {
        AbandonHookThread(ready == WAIT_TIMEOUT);
        return false;
    }
    return true;
}

// Asks the hook thread to hook or unhook a kind and waits for its answer.
bool TellHookThread(std::int32_t kind, bool on) {
    if (!PostThreadMessageW(g_hookThread.id, kSetHookMessage, static_cast<WPARAM>(kind),
                            on ? 1 : 0)) {
        AbandonHookThread(WaitForSingleObject(g_hookThread.thread.get(), 0) == WAIT_TIMEOUT);
        return false;
    }
    const HANDLE waits[] = {g_hookThread.reply.get(), g_hookThread.thread.get()};
    const DWORD answer = WaitForMultipleObjects(2, waits, FALSE, kReplyTimeoutMs);
    if (answer != WAIT_OBJECT_0) {
        AbandonHookThread(answer == WAIT_TIMEOUT);
        return false;
    }
    return g_hookInPlace.load() == on;
}

std::int32_t SetKind(std::int32_t kind, bool on) {
    ControlLock lock;
    auto& state = g_hookThread.on[kind];
    if (state == on) {
        return rsiorril::kSwitched;
    }
    if (!g_hookThread.thread && !StartHookThread()) {
        return rsiorril::kNotSwitched;
    }
    const bool done = TellHookThread(kind, on);
    if (!g_hookThread.thread) {
        return rsiorril::kNotSwitched;  // the thread failed and was forgotten
    }
    state = done ? on : !on;
    if (!g_hookThread.on[rsiorril::kKeyboard] && !g_hookThread.on[rsiorril::kMouse]) {
        // The thread leaves by itself once it holds no hook.
        const bool ended =
            WaitForSingleObject(g_hookThread.thread.get(), kReplyTimeoutMs) == WAIT_OBJECT_0;
        AbandonHookThread(!ended);
    }
    return done ? rsiorril::kSwitched : rsiorril::kNotSwitched;
}

bool KnownKind(std::int32_t kind) {
    return kind >= 0 && kind < kKindCount;
}

}  // namespace

extern "C" {

std::int32_t __stdcall InstallFilter(std::int32_t kind, std::int32_t flag) {
    if (!KnownKind(kind)) {
        return rsiorril::kNotSwitched;
    }
    return SetKind(kind, flag != 0);
}

std::int32_t __stdcall RilGetTime(std::int32_t kind) {
    if (!KnownKind(kind)) {
        return 0;
    }
    return g_times[kind].load(std::memory_order_relaxed);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        // Before any input the times hold the moment of loading: a stable value no
        // later than the program's own start-up reading of the tick count.
        const std::int32_t now = Tick();
        for (auto& t : g_times) {
            t.store(now, std::memory_order_relaxed);
        }
    }
    // Nothing to do on detach: while the hook thread runs it pins the library, and at
    // process end the system has already ended it.
    return TRUE;
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&InstallFilter), rsiorril::InstallFilterFn>);
static_assert(std::is_same_v<decltype(&RilGetTime), rsiorril::RilGetTimeFn>);
