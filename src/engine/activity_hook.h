#pragma once
// The activity hook: records the time of the latest keyboard and mouse input,
// switchable per input kind. The hook library does the recording; the program
// only switches kinds and polls.

#include <cstdint>

namespace rilto {

inline constexpr std::int32_t kFilterOn = -1;
inline constexpr std::int32_t kFilterOff = 0;

class ActivityHook {
  public:
    virtual ~ActivityHook() = default;
    // Starts (kFilterOn) or stops (kFilterOff) recording input of a kind (0 keyboard,
    // 1 mouse). Repeating the current state is harmless. The result means nothing.
    virtual std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) = 0;
    // The tick count (GetTickCount's clock, as a signed 32-bit value) of the latest
    // input of that kind. Unchanged while none happens.
    virtual std::int32_t RilGetTime(std::int32_t kind) = 0;
    // False when the hook library could not be loaded: nothing is recorded then, so
    // a poll proves nothing about rests.
    virtual bool Available() const = 0;
};

// Hook times wrap with the tick count (every 49.7 days); "later" is decided by the
// signed difference, so the wrap and the sign change at 2^31 are not a rest.
inline bool IsLater(std::int32_t newer, std::int32_t older) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(newer) -
                                     static_cast<std::uint32_t>(older)) > 0;
}

}  // namespace rilto
