#include "engine/activity_hook_win.h"

#include <windows.h>

#include <utility>

#include "common/paths.h"
#include "common/product.h"
#include "common/program_folder_win.h"
#include "common/raise.h"
#include "common/system_function_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

std::wstring LibraryBesideProgram() {
    const std::string folder = ProgramFolder();
    if (folder.empty()) {
        return {};  // an empty path never loads: the library counts as missing
    }
    return Widen(JoinPath(folder, kHookLibraryFile));
}

}  // namespace

WinActivityHook::WinActivityHook(std::function<void()> onUnavailable)
    : WinActivityHook(LibraryBesideProgram(), std::move(onUnavailable)) {}

WinActivityHook::WinActivityHook(std::wstring libraryPath, std::function<void()> onUnavailable)
    : libraryPath_(std::move(libraryPath)), onUnavailable_(std::move(onUnavailable)) {}

bool WinActivityHook::Load() const {
    if (loadTried_) {
        return installFilter_ != nullptr;
    }
    loadTried_ = true;
    if (!libraryPath_.empty()) {
        // A full path, so the DLL search path never supplies some other rsiorril.dll;
        // and no system error box for an unreadable drive.
        DWORD oldMode = 0;
        SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
        library_.reset(LoadLibraryW(libraryPath_.c_str()));
        SetThreadErrorMode(oldMode, nullptr);
    }
    if (library_) {
        const auto install =
            FunctionFrom<rsiorril::InstallFilterFn>(library_.get(), rsiorril::kInstallFilterName);
        const auto getTime =
            FunctionFrom<rsiorril::RilGetTimeFn>(library_.get(), rsiorril::kRilGetTimeName);
        if (install != nullptr && getTime != nullptr) {
            installFilter_ = install;
            rilGetTime_ = getTime;
            return true;
        }
        library_.reset();
    }
    // The state is final before the callback runs: a message box it shows pumps
    // messages, and a timer tick may poll the hook again meanwhile.
    Raise(onUnavailable_);
    return false;
}

std::int32_t WinActivityHook::InstallFilter(std::int32_t kind, std::int32_t flag) {
    if (!Load()) {
        return 0;
    }
    const std::int32_t result = installFilter_(kind, flag);
    if (result != rsiorril::kSwitched) {
        Trace("recording of input kind " + std::to_string(kind) +
              (flag != kFilterOff ? " does not switch on" : " does not switch off"));
    }
    return result;
}

std::int32_t WinActivityHook::RilGetTime(std::int32_t kind) {
    return Load() ? rilGetTime_(kind) : 0;
}

bool WinActivityHook::Available() const {
    return Load();
}

}  // namespace rilto
