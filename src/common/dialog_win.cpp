#include "common/dialog_win.h"

#include <algorithm>

#include "common/system_function_win.h"

namespace rilto {

void KeepDialogScalingOff(HWND dialog) {
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    static const auto fn =
        User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    if (fn != nullptr) {
        fn(dialog, kDisableAll, kDisableAll);
    }
}

void PlaceOnWorkArea(HWND window, int parts) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window, &frame);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / parts,
                 std::max(work.top, work.top + (work.bottom - work.top - height) / parts), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rilto
