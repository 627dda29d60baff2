#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 call: the one pair of converters.

#include <string>
#include <string_view>

namespace rilto {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace rilto
