// Opening and closing the settings dialog many times must leave rilto32's memory where
// it was: the dialog lives hidden between showings, and a showing that leaked a font, a
// brush or a page would grow the process a little every time.
//
// The dialog is opened from the tray command and closed with Cancel 200 times; the
// private memory after the first 10 (when every page and cache exists) is compared with
// that after all 200.

#include <windows.h>

#include <cstdio>

#include "settings/frm_settings_ids.h"
#include "shell/resource.h"
#include "support/exercise_support.h"
#include "support/harness.h"

namespace {

constexpr int kShowings = 200;
constexpr int kWarmUp = 10;
constexpr DWORD kWaitMs = 10000;
// What the heap may drift by between two readings without a leak behind it.
constexpr std::size_t kFlatKb = 128;

HWND VisibleDialog(DWORD processId) {
    const HWND d = harness::FindProcessWindow(processId, L"Rilto Options");
    return d != nullptr && IsWindowVisible(d) ? d : nullptr;
}

// One showing: opened from the tray, laid out, closed with Cancel. False when it did not
// open or did not close in time.
bool OpenAndClose(DWORD processId) {
    using namespace harness;
    PostMessageW(TrayWindow(), WM_COMMAND, IDM_POPUP_OPTIONS, 0);
    HWND dialog = nullptr;
    const bool opened = WaitUntil(
        [&] {
            dialog = VisibleDialog(processId);
            const HWND curtain = dialog ? DescendantWithId(dialog, IDC_PICHIDE) : nullptr;
            return curtain != nullptr && !IsWindowVisible(curtain);
        },
        kWaitMs);
    if (!opened) {
        return false;
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return WaitUntil([&] { return VisibleDialog(processId) == nullptr; }, kWaitMs);
}

}  // namespace

int main() {
    using namespace harness;
    ClearStore();
    WriteSetting(L"Options", L"Initialised", L"1");
    WriteSetting(L"Micropause", L"Audible", L"0");
    WriteSetting(L"Micropause", L"AudiblePre", L"0");
    Process rilto = StartRilto();
    if (!rilto.Running()) {
        std::fprintf(stderr, "settings_bench: rilto32 did not start\n");
        return 1;
    }
    PumpFor(2000);
    const Holdings start = HoldingsOf(rilto.Handle());
    Holdings warm{};
    const DWORD began = GetTickCount();
    int done = 0;
    for (; done < kShowings; ++done) {
        if (!OpenAndClose(rilto.Id())) {
            break;
        }
        if (done + 1 == kWarmUp) {
            PumpFor(500);
            warm = HoldingsOf(rilto.Handle());
        }
        if ((done + 1) % 25 == 0) {
            std::printf("  after %3d: %zu KB\n", done + 1, HoldingsOf(rilto.Handle()).memoryKb);
            std::fflush(stdout);
        }
    }
    PumpFor(500);
    const Holdings end = HoldingsOf(rilto.Handle());
    const double seconds = (GetTickCount() - began) / 1000.0;
    StopRilto(rilto);
    ClearStore();

    std::printf("settings dialog opened and closed %d times in %.1f s\n", done, seconds);
    std::printf("  private memory: %zu KB before, %zu KB after %d, %zu KB after %d\n",
                start.memoryKb, warm.memoryKb, kWarmUp, end.memoryKb, done);
    std::printf(
        "  GDI objects %lu -> %lu -> %lu, USER objects %lu -> %lu -> %lu, handles %lu -> "
        "%lu -> %lu\n",
        start.gdi, warm.gdi, end.gdi, start.user, warm.user, end.user, start.handles, warm.handles,
        end.handles);
    const long long growth =
        static_cast<long long>(end.memoryKb) - static_cast<long long>(warm.memoryKb);
    const bool flat = done == kShowings && growth <= static_cast<long long>(kFlatKb) &&
                      end.gdi <= warm.gdi && end.user <= warm.user;
    std::printf(
        "@figure\tsettings dialog opened and closed %d times: private memory\t%+lld KB "
        "from the %dth to the last\tflat (at most +%zu KB, no GDI or USER objects "
        "more)\t%s\n",
        kShowings, growth, kWarmUp, kFlatKb, flat ? "holds" : "FAILS");
    return done == kShowings ? 0 : 1;
}
