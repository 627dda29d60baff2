#pragma once
// Start-up of rilto32: what a start does when a copy already runs, and the order in
// which a first copy brings itself up.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/settings_store.h"
#include "engine/activity_hook.h"
#include "engine/scheduler.h"
#include "exercise/exercise_table.h"

namespace rilto {

enum class StartKind {
    RunHere,         // no other copy: start up and stay in the tray
    EndAtOnce,       // "shutdown" with no copy running: nothing to stop
    HandOver,        // send the running copy a key command, then end
    AlreadyRunning,  // a copy runs but cannot be reached: tell the user, then end
};

struct StartDecision {
    StartKind kind = StartKind::RunHere;
    std::uint32_t handle = 0;  // HandOver: the running copy's hook window, from "tray"
    int keyCode = 0;           // HandOver: the command to send
};

// `anotherCopyRuns` from the previous-instance test; `arguments` the command line's
// argument text.
StartDecision DecideStart(bool anotherCopyRuns, std::string_view arguments,
                          const SettingsStore& store);

// What start-up needs of the windows and the system.
class StartupHost {
  public:
    virtual ~StartupHost() = default;
    virtual void ShowVersion(const std::string& label) = 0;
    // The hook window's handle as "tray" publishes it.
    virtual std::uint32_t HookWindowHandle() = 0;
    virtual void FirstTimeInitialise() = 0;
    // The micropause screen laid out, its progress bar bound to its canvas.
    virtual void LayOutMicropauseScreen() = 0;
    virtual void ShowWarning(const std::string& text) = 0;
    virtual void AddTrayIcon() = 0;
    // The main form hidden, and out of the task bar and the task list.
    virtual void HideMainForm() = 0;
    virtual std::string ProgramFolder() = 0;
};

struct StartupParts {
    SettingsStore& store;
    SettingsWriter& settings;
    ExerciseTable& exercises;
    Scheduler& scheduler;
    ActivityHook& hook;
    StartupHost& host;
};

// Brings a first copy up, in order: the version shown; the hook window published in
// "tray" (from here on other processes reach the copy); first-run initialisation; the
// screen laid out; the settings and the scheme in use loaded, the warning shown and recording
// switched on for each watched kind; SetTimers and the input times seeded; the tray icon; the form
// hidden; the program folder stored in "AppPath", last.
void RunStartup(const StartupParts& parts);

// Recording switched on for every kind the settings watch, keyboard first.
void SwitchOnRecording(ActivityHook& hook, const Settings& settings);

}  // namespace rilto
