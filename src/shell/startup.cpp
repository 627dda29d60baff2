#include "shell/startup.h"

#include "common/product.h"
#include "common/settings_loader.h"
#include "common/tray_handle.h"
#include "common/version.h"
#include "exercise/scheme_store.h"
#include "shell/command_line.h"

namespace rilto {

StartDecision DecideStart(bool anotherCopyRuns, std::string_view arguments,
                          const SettingsStore& store) {
    if (!anotherCopyRuns) {
        return {IsShutdownArgument(arguments) ? StartKind::EndAtOnce : StartKind::RunHere};
    }
    const std::uint32_t handle = ParseTrayHandle(store.GetSetting(kOptions, kTrayValue, "0"));
    if (handle == 0) {
        return {StartKind::AlreadyRunning};
    }
    return {StartKind::HandOver, handle, SecondStartKeyCode(arguments)};
}

void SwitchOnRecording(ActivityHook& hook, const Settings& settings) {
    for (std::int32_t kind = 0; kind < kInputKinds; ++kind) {
        if (settings.Monitor[kind]) {
            hook.InstallFilter(kind, kFilterOn);
        }
    }
}

void RunStartup(const StartupParts& p) {
    p.host.ShowVersion(VersionLabel());
    p.store.SaveSetting(kOptions, kTrayValue, TrayHandleText(p.host.HookWindowHandle()));
    p.host.FirstTimeInitialise();
    p.host.LayOutMicropauseScreen();

    p.settings.Load();
    const Settings& settings = p.settings.Current();
    LoadScheme(p.store, settings.Scheme, p.exercises);
    p.host.ShowWarning(settings.Warning);
    SwitchOnRecording(p.hook, settings);

    p.scheduler.SetTimers();
    p.scheduler.SeedLastInputTimes();
    p.host.AddTrayIcon();
    p.host.HideMainForm();
    p.store.SaveSetting(kOptions, kAppPathValue, p.host.ProgramFolder());
}

}  // namespace rilto
