// The "tray" value as a second start and shutdowntrigger read it: any bytes, without a
// terminator, give a handle that fits 32 bits, read from the leading digits only, and a
// handle published as text reads back as itself.

#include <cstring>
#include <memory>
#include <string>

#include "common/tray_handle.h"
#include "fuzz_support.h"

namespace {

using rilto::fuzz::Require;

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's length, so that reading past it is caught.
    const auto bytes = std::make_unique<char[]>(size);
    std::memcpy(bytes.get(), data, size);
    const std::uint32_t handle = rilto::ParseTrayHandle(bytes.get(), size);

    // The digits after the leading white space, without leading zeros.
    const std::string_view text(bytes.get(), size);
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    std::size_t digits = at;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    std::string_view number = text.substr(at, digits - at);
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    const bool fits = number.size() < 10 || (number.size() == 10 && number <= "4294967295");
    const std::uint32_t expected =
        !number.empty() && fits ? static_cast<std::uint32_t>(std::stoull(std::string(number))) : 0;
    Require(handle == expected,
            "the handle is the leading number, or none when there is none or it is too large");
    Require(rilto::ParseTrayHandle(rilto::TrayHandleText(handle)) == handle,
            "a published handle reads back as itself");
    return 0;
}
