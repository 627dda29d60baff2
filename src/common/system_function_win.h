#pragma once
// Functions looked up while the program runs: those that older Windows lacks, and the
// ones the hook library exports.

#include <windows.h>

#include <string>

namespace rilto {

// `name` exported by `module`, as a function of type Fn; null when either is missing.
template <typename Fn>
Fn FunctionFrom(HMODULE module, const char* name) {
    // Through void(*)() so that the cast between function types is a deliberate one.
    return module != nullptr
               ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
               : nullptr;
}

// A library of Windows loaded from the system folder (never from the program's folder or
// the current one), for functions the program needs only now and then: loaded at start,
// each would cost every start and memory all day. Null when it cannot be loaded. Callers
// keep the module; it stays loaded.
inline HMODULE LoadSystemLibrary(const wchar_t* file) {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(folder, n) + L"\\" + file).c_str());
}

// A function of user32.dll that older Windows may not have.
template <typename Fn>
Fn User32Function(const char* name) {
    return FunctionFrom<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace rilto
