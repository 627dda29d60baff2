#pragma once
// The hook window's handle as the value "tray" carries it, written by the running copy
// and read by a second start and by shutdowntrigger, both with the one parser here.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rilto {

// What a reader of "tray" reads at most; longer data is not read at all.
inline constexpr std::size_t kTrayBufferSize = 1024;

// Reads the handle as the C conversion "%u" would: optional white space, then decimal
// digits, stopping at the first other character. Looks at no more than `size` bytes and
// stops at a NUL, so data without a terminator is safe. Returns 0 (no window) when no
// digits come first, and when the number does not fit 32 bits.
std::uint32_t ParseTrayHandle(const char* data, std::size_t size);
inline std::uint32_t ParseTrayHandle(std::string_view text) {
    return ParseTrayHandle(text.data(), text.size());
}

// The text the running copy publishes: the handle's 32 significant bits as unsigned
// decimal. Inline, so that a reader that links the parser alone (shutdowntrigger) takes
// in no string formatting.
inline std::string TrayHandleText(std::uint32_t handle) {
    return std::to_string(handle);
}

}  // namespace rilto
