#include "shell/command_line.h"

#include "common/product.h"
#include "common/text.h"

namespace rilto {

std::string ArgumentText(std::string_view commandLine) {
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    if (i < n && commandLine[i] == '"') {
        ++i;
        while (i < n && commandLine[i] != '"') {
            ++i;
        }
        if (i < n) {
            ++i;  // the closing quote
        }
    } else {
        while (i < n && commandLine[i] != ' ' && commandLine[i] != '\t') {
            ++i;
        }
    }
    while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) {
        ++i;
    }
    return std::string(commandLine.substr(i));
}

bool IsShutdownArgument(std::string_view arguments) {
    return AsciiLower(arguments) == "shutdown";
}

int SecondStartKeyCode(std::string_view arguments) {
    return IsShutdownArgument(arguments) ? kKeyShutdown : kKeyShowMenu;
}

}  // namespace rilto
