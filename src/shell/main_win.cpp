// rilto32: the Rilto Micropause tray program.

#include <windows.h>

#include "common/wide_text_win.h"
#include "shell/command_line.h"
#include "shell/rilto_app_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string arguments = rilto::ArgumentText(rilto::Narrow(GetCommandLineW()));
    rilto::RiltoApp app;
    return app.Run(arguments);
}
