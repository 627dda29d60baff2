// The companion is built without exceptions: nothing in it catches one, so any throw
// ends it. The C++ library still throws from its allocator and from the checks in its
// containers, and each such throw brings the whole exception runtime and its threads
// library into the program. These take the throws' place and end the program at once,
// saying what would have been thrown, as an uncaught exception would have done.

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Fail(const char* type, const char* what) {
    std::fputs("terminate called after throwing an instance of '", stderr);
    std::fputs(type, stderr);
    std::fputs("'\n  what():  ", stderr);
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    std::abort();
}

constexpr char kBadAlloc[] = "std::bad_alloc";

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = std::malloc(size != 0 ? size : 1)) {
        return block;
    }
    Fail(kBadAlloc, kBadAlloc);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

// The library's own throwing helpers, by the names its headers call. One that the
// companion comes to need and that is missing here brings back the library's file of
// them all, and the link fails on the names defined twice: add it here.
namespace std {

void __throw_bad_alloc() {
    Fail(kBadAlloc, kBadAlloc);
}

void __throw_bad_array_new_length() {
    Fail("std::bad_array_new_length", "std::bad_array_new_length");
}

void __throw_length_error(const char* what) {
    Fail("std::length_error", what);
}

void __throw_logic_error(const char* what) {
    Fail("std::logic_error", what);
}

void __throw_out_of_range_fmt(const char* format, ...) {
    Fail("std::out_of_range", format);
}

void __throw_bad_function_call() {
    Fail("std::bad_function_call", "bad_function_call");
}

}  // namespace std
