#pragma once
// Facts about the running program that come from Windows.

#include <string>

namespace rilto {

// The folder of the running program, without a trailing backslash except at a root.
std::string ProgramFolder();

}  // namespace rilto
