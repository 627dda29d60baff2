#include "common/trace_win.h"

#include <windows.h>

#include <string>

#include "common/product.h"
#include "common/wide_text_win.h"

namespace rilto {

void Trace(std::string_view what) {
    std::string line = kProductTitle;
    line += ": ";
    line += what;
    line += "\n";
    OutputDebugStringW(Widen(line).c_str());
}

void TraceLastError(std::string_view what) {
    const DWORD error = GetLastError();
    Trace(std::string(what) + " (error " + std::to_string(error) + ")");
}

}  // namespace rilto
