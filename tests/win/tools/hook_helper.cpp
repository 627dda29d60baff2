// Another program on the desktop, for the hook library's tests.
//   hook_helper send <delayMs>            waits, then sends a key press and a mouse move
//   hook_helper exit-while-on <dll>       switches both kinds on and ends the process
//   hook_helper unload-while-on <dll>     switches both kinds on, frees the library,
//                                          sends input, then ends
// Exit code 0 when every step worked.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "engine/activity_hook.h"
#include "hooklib/rsiorril.h"
#include "tools/input_sender.h"

namespace {

constexpr int kFailed = 1;
constexpr DWORD kSettleMs = 200;

int SwitchOnBoth(const wchar_t* dll, bool unloadAfterwards) {
    HMODULE library = LoadLibraryW(dll);
    if (library == nullptr) {
        return kFailed;
    }
    const auto install = reinterpret_cast<rsiorril::InstallFilterFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, rsiorril::kInstallFilterName)));
    if (install == nullptr ||
        install(rsiorril::kKeyboard, rilto::kFilterOn) != rsiorril::kSwitched ||
        install(rsiorril::kMouse, rilto::kFilterOn) != rsiorril::kSwitched) {
        return kFailed;
    }
    if (unloadAfterwards) {
        FreeLibrary(library);
        // The hooks are still in place; their calls must not land in unloaded code.
        if (!hooktest::SendKey() || !hooktest::SendMouseMove()) {
            return kFailed;
        }
        Sleep(kSettleMs);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"send") == 0) {
        Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        return hooktest::SendKey() && hooktest::SendMouseMove() ? 0 : kFailed;
    }
    if (argc == 3 && std::wcscmp(argv[1], L"exit-while-on") == 0) {
        return SwitchOnBoth(argv[2], false);
    }
    if (argc == 3 && std::wcscmp(argv[1], L"unload-while-on") == 0) {
        return SwitchOnBoth(argv[2], true);
    }
    return kFailed;
}
