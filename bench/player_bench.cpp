// What rilto32 costs while an exercise video loops at the largest video size (960x720,
// blank screen), as a share of one core, beside the same figure for rilto32 idle. Each
// figure is the CPU time the process used over a stretch of wall-clock time.

#include <windows.h>

#include <cstdio>

#include "shell/resource.h"
#include "support/exercise_support.h"
#include "support/harness.h"

namespace {

constexpr DWORD kStretchMs = 20000;
constexpr DWORD kSettleMs = 3000;
// A looping video may take this share of one core.
constexpr double kGoalPercent = 5.0;

double ShareOfOneCore(const harness::Process& rilto, DWORD ms) {
    const double before = harness::CpuMilliseconds(rilto.Handle());
    const DWORD start = GetTickCount();
    harness::PumpFor(ms);
    const double used = harness::CpuMilliseconds(rilto.Handle()) - before;
    return 100.0 * used / static_cast<double>(GetTickCount() - start);
}

}  // namespace

int main() {
    using namespace harness;
    const std::wstring video = FirstMediaFile(L".avi");
    if (video.empty()) {
        std::fprintf(stderr, "player_bench: no exercise video beside the program\n");
        return 1;
    }
    ClearStore();
    WriteSetting(L"Options", L"Initialised", L"1");
    WriteSetting(L"Micropause", L"Audible", L"0");
    WriteSetting(L"Micropause", L"AudiblePre", L"0");
    WriteSetting(L"Exercise", L"AudibleX", L"0");
    WriteSetting(L"Exercise", L"ViewAm", L"4");
    WriteSetting(L"Exercise", L"BlankX", L"1");
    WriteSetting(L"Exercise", L"NumAtaTime", L"2");
    WriteSetting(L"Exercise", L"Scheme", L"Bench");
    WriteScheme(L"Bench", {{video, L"Bench", 600}});

    Process rilto = StartRilto();
    if (!rilto.Running()) {
        std::fprintf(stderr, "player_bench: rilto32 did not start\n");
        return 1;
    }
    PumpFor(kSettleMs);
    const double idle = ShareOfOneCore(rilto, kStretchMs);

    PostMessageW(TrayWindow(), WM_COMMAND, IDM_EXERCISE, 0);
    // The first break opens with the title clip; a click on it moves on to the video.
    const bool shown = WaitUntil([&] { return PlayerWindow(rilto.Id()) != nullptr; }, 10000);
    if (shown) {
        const HWND surface = PlayerSurface(PlayerWindow(rilto.Id()));
        PostMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessageW(surface, WM_LBUTTONUP, 0, 0);
        PumpFor(kSettleMs);
    }
    const double playing = shown ? ShareOfOneCore(rilto, kStretchMs) : -1;

    std::printf("rilto32 CPU, share of one core over %lu s:\n", kStretchMs / 1000);
    std::printf("  idle                          %6.2f %%\n", idle);
    std::printf("  video looping at 960x720      %6.2f %%   (goal: at most %.0f %%)\n", playing,
                kGoalPercent);
    std::printf(
        "@figure\tplayer CPU, video looping at 960x720\t%.2f %% of one core\tat most "
        "%.0f %%\t%s\n",
        playing, kGoalPercent, shown && playing <= kGoalPercent ? "holds" : "FAILS");
    StopRilto(rilto);
    ClearStore();
    return shown ? 0 : 1;
}
