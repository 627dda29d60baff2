#include "engine/system_notice.h"

namespace rilto {

namespace {

// WM_POWERBROADCAST's events.
constexpr std::uintptr_t kApmSuspend = 0x4;
constexpr std::uintptr_t kApmResumeCritical = 0x6;
constexpr std::uintptr_t kApmResumeSuspend = 0x7;
constexpr std::uintptr_t kApmResumeAutomatic = 0x12;

// WM_WTSSESSION_CHANGE's events.
constexpr std::uintptr_t kConsoleDisconnect = 0x2;
constexpr std::uintptr_t kRemoteDisconnect = 0x4;
constexpr std::uintptr_t kSessionLock = 0x7;
constexpr std::uintptr_t kSessionUnlock = 0x8;

}  // namespace

SystemNotice PowerNotice(std::uintptr_t event) {
    switch (event) {
        case kApmSuspend:
            return SystemNotice::Suspended;
        case kApmResumeCritical:
        case kApmResumeSuspend:
        case kApmResumeAutomatic:
            return SystemNotice::Resumed;
        default:
            return SystemNotice::None;
    }
}

SystemNotice SessionNotice(std::uintptr_t event) {
    switch (event) {
        case kConsoleDisconnect:
        case kRemoteDisconnect:
        case kSessionLock:
            return SystemNotice::Locked;
        case kSessionUnlock:
            return SystemNotice::Unlocked;
        default:
            return SystemNotice::None;
    }
}

}  // namespace rilto
