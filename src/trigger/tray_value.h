#pragma once
// Reading the hook-window handle from the text of the "tray" value.

#include <cstddef>
#include <cstdint>

namespace rilto::trigger {

// The registry read buffer; longer data is not read at all.
inline constexpr std::size_t kTrayBufferSize = 1024;

// Reads the handle as the C conversion "%u" would: optional white space, then
// decimal digits, stopping at the first other character. Looks at no more than
// `size` bytes and stops at a NUL, so data without a terminator is safe. Returns 0
// (no window) when no digits come first, and when the number does not fit 32 bits.
std::uint32_t ParseTrayHandle(const char* data, std::size_t size);

}  // namespace rilto::trigger
