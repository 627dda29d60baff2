#pragma once
// The activity hook through rsiorril.dll, loaded from the program's own folder at
// the first call. A missing library or export does not end the program: the
// onUnavailable callback runs once, and from then on InstallFilter and RilGetTime
// return 0 and nothing is recorded.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/activity_hook.h"
#include "hooklib/rsiorril.h"
#include "common/handles_win.h"

namespace rilto {

class WinActivityHook : public ActivityHook {
  public:
    // The library beside the program.
    explicit WinActivityHook(std::function<void()> onUnavailable);
    // The library at a full path of the caller's choice.
    WinActivityHook(std::wstring libraryPath, std::function<void()> onUnavailable);

    std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) override;
    std::int32_t RilGetTime(std::int32_t kind) override;
    bool Available() const override;

  private:
    // Loads the library on the first call only; true when both exports are there.
    bool Load() const;

    std::wstring libraryPath_;
    std::function<void()> onUnavailable_;
    // Loading is lazy, and Available() may be the first call.
    mutable bool loadTried_ = false;
    mutable UniqueLibrary library_;
    mutable rsiorril::InstallFilterFn installFilter_ = nullptr;
    mutable rsiorril::RilGetTimeFn rilGetTime_ = nullptr;
};

}  // namespace rilto
