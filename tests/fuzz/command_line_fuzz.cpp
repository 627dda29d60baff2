// The command line a second start is given: the arguments are what follows the program's
// name, with the blanks after it, and only "shutdown" asks the running copy to end.

#include <string>

#include "common/product.h"
#include "common/text.h"
#include "fuzz_support.h"
#include "shell/command_line.h"

namespace {

using rilto::fuzz::Require;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = rilto::fuzz::AsText(data, size);
    const std::string arguments = rilto::ArgumentText(line);
    Require(line.ends_with(arguments), "the arguments are the end of the command line");
    Require(arguments.empty() || !IsBlank(arguments.front()),
            "the blanks after the program's name are not arguments");
    const bool shutdown = rilto::IsShutdownArgument(arguments);
    Require(shutdown == (rilto::AsciiLower(arguments) == "shutdown"),
            "only the word shutdown, in any case, asks to end");
    Require(rilto::SecondStartKeyCode(arguments) ==
                (shutdown ? rilto::kKeyShutdown : rilto::kKeyShowMenu),
            "a second start sends the key of its arguments");

    // The input as the arguments after a program name, plain or quoted with a blank in it.
    if (line.empty() || !IsBlank(line.front())) {
        const std::string given(line);
        Require(rilto::ArgumentText("rilto32.exe " + given) == given,
                "arguments after a plain program name come back as given");
        Require(rilto::ArgumentText("\"C:\\Program Files\\Rilto\\rilto32.exe\"\t" + given) == given,
                "arguments after a quoted program name come back as given");
    }
    return 0;
}
