#include "engine/system_input_win.h"

#include <windows.h>

#include <versionhelpers.h>
#include <wtsapi32.h>

#include <memory>

namespace rilto {

namespace {

// WTSQuerySessionInformationW's extended session information, which not every SDK's
// headers declare: the class number, the session flags' values, and the start of the
// answer's first level as Windows lays it out (the rest is not read).
constexpr auto kSessionInfoEx = static_cast<WTS_INFO_CLASS>(25);
constexpr LONG kSessionStateLock = 0;
constexpr LONG kSessionStateUnlock = 1;

struct SessionInfoExLevel1Start {
    ULONG sessionId;
    WTS_CONNECTSTATE_CLASS sessionState;
    LONG sessionFlags;
};

struct SessionInfoExStart {
    DWORD level;
    // The level's data is a union that holds 64-bit times: it starts 8-byte aligned.
    alignas(8) SessionInfoExLevel1Start level1;
};

struct WtsMemoryFree {
    void operator()(void* memory) const { WTSFreeMemory(memory); }
};

}  // namespace

// Should Windows not answer, the answer before stands: no new input, and the hooks alone
// decide.
std::uint32_t WinSystemInput::LastInputTick() {
    LASTINPUTINFO info{};
    info.cbSize = sizeof(info);
    if (GetLastInputInfo(&info)) {
        last_ = info.dwTime;
    }
    return last_;
}

// Windows 7 says the session flags the wrong way round, and before it there are none:
// there the notices alone tell. A session disconnected from its screen has nobody at it,
// whatever its lock.
std::optional<bool> WinSystemInput::SessionLocked() {
    if (!IsWindows8OrGreater()) {
        return std::nullopt;
    }
    LPWSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, kSessionInfoEx,
                                     &buffer, &bytes)) {
        return std::nullopt;
    }
    const std::unique_ptr<void, WtsMemoryFree> answer(buffer);
    if (buffer == nullptr || bytes < sizeof(SessionInfoExStart)) {
        return std::nullopt;
    }
    const auto* info = reinterpret_cast<const SessionInfoExStart*>(buffer);
    if (info->level != 1) {
        return std::nullopt;
    }
    if (info->level1.sessionState == WTSDisconnected) {
        return true;
    }
    switch (info->level1.sessionFlags) {
        case kSessionStateLock:
            return true;
        case kSessionStateUnlock:
            return false;
        default:
            return std::nullopt;
    }
}

}  // namespace rilto
