#pragma once
// File names as the program builds them: Windows paths in UTF-8.

#include <string>
#include <string_view>

namespace rilto {

inline constexpr char kFolderSeparator = '\\';

// `folder` + "\" + `name`, without doubling the backslash of a root folder ("C:\").
std::string JoinPath(std::string_view folder, std::string_view name);

// The path in double quotes, for a command line.
std::string Quoted(std::string_view path);

}  // namespace rilto
