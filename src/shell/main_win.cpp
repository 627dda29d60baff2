// rilto32: the Rilto Micropause tray program.

#include <windows.h>

#include "common/guarded_call_win.h"
#include "common/wide_text_win.h"
#include "shell/command_line.h"
#include "shell/rilto_app_win.h"

namespace {
// The program could not run: what a failed start-up returns too.
constexpr int kFailed = 1;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return rilto::GuardedCall(
        "the program",
        [] {
            const std::string arguments = rilto::ArgumentText(rilto::Narrow(GetCommandLineW()));
            rilto::RiltoApp app;
            return app.Run(arguments);
        },
        [] { return kFailed; });
}
