#pragma once
// Functions looked up while the program runs: those that older Windows lacks, and the
// ones the hook library exports.

#include <windows.h>

namespace rilto {

// `name` exported by `module`, as a function of type Fn; null when either is missing.
template <typename Fn>
Fn FunctionFrom(HMODULE module, const char* name) {
    // Through void(*)() so that the cast between function types is a deliberate one.
    return module != nullptr
               ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
               : nullptr;
}

// A function of user32.dll that older Windows may not have.
template <typename Fn>
Fn User32Function(const char* name) {
    return FunctionFrom<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace rilto
