#include "common/tray_handle.h"

namespace rilto {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::uint32_t ParseTrayHandle(const char* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size && IsSpace(data[i])) {
        ++i;
    }
    std::uint64_t value = 0;
    bool any = false;
    for (; i < size && data[i] >= '0' && data[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(data[i] - '0');
        if (value > UINT32_MAX) {
            return 0;
        }
        any = true;
    }
    return any ? static_cast<std::uint32_t>(value) : 0;
}

}  // namespace rilto
