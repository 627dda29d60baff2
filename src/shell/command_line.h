#pragma once
// The program's command line: only the word "shutdown" (any case) means anything.

#include <string>
#include <string_view>

namespace rilto {

// The argument text of a whole command line: what follows the program name and the
// blanks after it, as Windows hands it to a program's entry point.
std::string ArgumentText(std::string_view commandLine);

// The whole argument text, in lower case, is exactly "shutdown".
bool IsShutdownArgument(std::string_view arguments);

// The key code a second start sends to the running copy.
int SecondStartKeyCode(std::string_view arguments);

}  // namespace rilto
