#pragma once
// Traces for what fails without stopping the program: a window class, a timer or a
// hook that Windows refused. They go to the debugger's output (OutputDebugString),
// where DebugView or a debugger shows them; the user is told only when the program
// cannot go on.

#include <string_view>

namespace rilto {

void Trace(std::string_view what);
// The trace with the thread's last error code appended.
void TraceLastError(std::string_view what);

}  // namespace rilto
