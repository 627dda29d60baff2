#pragma once
// rsiorril.dll: records the tick count of the latest keyboard and mouse input on the
// desktop, switchable per input kind. The program loads it at run time and calls
// its two exports by name; these are their signatures.

#include <cstdint>

#include "common/product.h"

namespace rsiorril {

inline constexpr std::int32_t kKeyboard = rilto::kKeyboard;
inline constexpr std::int32_t kMouse = rilto::kMouse;
inline constexpr std::int32_t kKindCount = rilto::kInputKinds;

inline constexpr char kInstallFilterName[] = "InstallFilter";
inline constexpr char kRilGetTimeName[] = "RilGetTime";

// InstallFilter's results: the kind is in the asked state afterwards, or it is not
// (an unknown kind, or the system refused the hook).
inline constexpr std::int32_t kSwitched = -1;
inline constexpr std::int32_t kNotSwitched = 0;

// Recording of `kind` on (any non-zero flag; the program passes -1) or off (0).
using InstallFilterFn = std::int32_t(__stdcall*)(std::int32_t kind, std::int32_t flag);
// GetTickCount at the latest input of `kind`; before any, the tick count at which
// the library was loaded. 0 for an unknown kind.
using RilGetTimeFn = std::int32_t(__stdcall*)(std::int32_t kind);

}  // namespace rsiorril
