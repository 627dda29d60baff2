#pragma once
// Code that Windows calls back (window and dialog procedures, enumeration callbacks,
// the program's entry point) must not let a C++ exception out: it would unwind through
// Windows' own frames, which know nothing of it.

#include <exception>
#include <string>

#include "common/trace_win.h"

namespace rilto {

// Runs `call` and returns its result. When it throws, the failure is traced as `what`
// ("a window message", say) and `fallback` gives the result instead.
template <class Call, class Fallback>
auto GuardedCall(const char* what, Call&& call, Fallback&& fallback) noexcept -> decltype(call()) {
    try {
        return call();
    } catch (const std::exception& e) {
        Trace(std::string(what) + " failed: " + e.what());
    } catch (...) {
        Trace(std::string(what) + " failed");
    }
    return fallback();
}

}  // namespace rilto
