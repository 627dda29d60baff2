#pragma once
// Limits users set on themselves: micropauses skipped a day (SkipsPerDay) and the exercise
// reminder's "Later" for one break (LaterPerBreak). A limit of 0 is none.

#include <cstdint>

namespace rilto {

// Whether one more is allowed after `used`: under a limit of 0 (or below, which the store
// never keeps) always.
constexpr bool OneMoreAllowed(std::int32_t limit, std::int32_t used) {
    return limit <= 0 || used < limit;
}

}  // namespace rilto
