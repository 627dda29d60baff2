#pragma once
// The program's core built on fakes and a virtual clock, as the program builds it on
// Windows: the timers call its tick methods. The scheduler's exercise breaks are a
// stand-in that records what it is asked (ExerciseRig puts the real ones back). Tests set
// `settings`, then Start() does what start-up does (SetTimers, then the input times
// seeded) and the virtual clock runs the rest.

#include <cstdint>
#include <string>
#include <vector>

#include "common/memory_settings_store.h"
#include "common/minute.h"
#include "common/settings.h"
#include "engine/hold.h"
#include "fakes/event_log.h"
#include "fakes/fake_daily_limit_view.h"
#include "fakes/fake_activity_hook.h"
#include "fakes/fake_exercise_flow.h"
#include "fakes/fake_exercise_views.h"
#include "fakes/fake_micropause_view.h"
#include "fakes/fake_settings_view.h"
#include "fakes/fake_sound.h"
#include "fakes/fake_status_view.h"
#include "fakes/virtual_clock.h"
#include "shell/rilto_core.h"

namespace rilto::fakes {

inline constexpr char kProgramFolder[] = "C:\\Program Files\\Rilto";
// Minutes of silence no test reaches.
inline constexpr std::int32_t kNeverAway = 1'000'000;

// With UseSoundFiles() each warning plays a file of its own, so the log tells them apart.
inline constexpr char kPreWarningPlayed[] = "play C:\\Program Files\\Rilto\\pre.wav wait";
inline constexpr char kStartWarningPlayed[] = "play C:\\Program Files\\Rilto\\start.wav wait";
inline constexpr char kExerciseWarningPlayed[] = "play C:\\Program Files\\Rilto\\x.wav nowait";

// The foreground and the devices in use as the test sets them; each look, and each
// reading of the devices, counted.
struct FakeHoldProbe : HoldProbe {
    ForegroundView Look() override {
        ++looks;
        return view;
    }
    std::vector<DeviceUse> DevicesInUse() override {
        ++deviceReads;
        return devices;
    }
    ForegroundView view;
    std::vector<DeviceUse> devices;
    int looks = 0;
    int deviceReads = 0;
};

struct SchedulerRig {
    explicit SchedulerRig(std::uint32_t startTick = 5'000'000, LocalTime startTime = {9, 0},
                          std::uint32_t minuteMs = kRealMinuteMs)
        : clock(startTick, startTime),
          tMinutes(clock, "tMinutes", &log),
          tSeconds(clock, "tSeconds", &log),
          tPause(clock, "tPause"),
          tHold(clock, "tHold"),
          tSchedule(clock, "tSchedule", &log),
          hook(clock),
          sound(log, clock),
          view(log, clock),
          exercise(log, clock),
          reminder(clock),
          settingsView(clock),
          dailyLimitView(clock),
          core(CorePorts{
              store, clock, CoreTimers{tMinutes, tSeconds, tPause, tHold, tSchedule}, hook, hook,
              probe, sound, CoreViews{view, player, reminder, settingsView, status, dailyLimitView},
              TrayActions{[] {}, [](std::optional<TrayPoint>) { return false; }, [] {}, [] {}},
              kProgramFolder, [this] { return randomValue; }, minuteMs}),
          settings(core.settings()),
          sounds(core.sounds()),
          progressBar(core.progressBar()),
          scheduler(core.scheduler()) {
        // The user of these tests stays at the machine, however quiet, unless a test
        // sends them away with a real AwayM.
        settings.AwayM = kNeverAway;
        tMinutes.OnTick([this] { core.OnMinute(); });
        tSeconds.OnTick([this] { core.OnSecond(); });
        tPause.OnTick([this] { core.OnPauseTimer(); });
        tHold.OnTick([this] { core.OnHoldTimer(); });
        tSchedule.OnTick([this] { core.OnScheduleTimer(); });
        scheduler.SetExerciseFlow(exercise);
        settingsView.micropauseRunning = [this] { return state().MicropauseRunning; };
    }

    void UseSoundFiles() {
        settings.WarningSoundPre = "pre.wav";
        settings.WarningSound = "start.wav";
        settings.WarningSoundX = "x.wav";
    }

    void Start() {
        scheduler.SetTimers();
        scheduler.SeedLastInputTimes();
    }

    const SchedulerState& state() const { return scheduler.State(); }

    // Every caption the label was given, with its time.
    std::vector<Event> CaptionsOf(ViewLabel label) const {
        const std::string prefix = std::string(Name(label)) + " = ";
        std::vector<Event> out;
        for (const Event& e : log.Events()) {
            if (e.what.rfind(prefix, 0) == 0) {
                out.push_back({e.at, e.what.substr(prefix.size())});
            }
        }
        return out;
    }
    void AdvanceSeconds(std::uint64_t s) { clock.Advance(s * kMsPerSecond); }
    void AdvanceMinutes(std::uint64_t m) { clock.Advance(m * core.minuteMs()); }

    EventLog log;
    VirtualClock clock;
    FakeTimer tMinutes;
    FakeTimer tSeconds;
    FakeTimer tPause;
    FakeTimer tHold;
    FakeTimer tSchedule;
    MemorySettingsStore store;
    FakeActivityHook hook;
    FakeHoldProbe probe;
    FakeSound sound;
    FakeMicropauseView view;
    FakeExerciseFlow exercise;
    FakePlayer player;
    FakeReminder reminder;
    FakeSettingsView settingsView;
    FakeStatusView status;
    FakeDailyLimitView dailyLimitView;
    double randomValue = 0.0;
    RiltoCore core;
    Settings& settings;
    WarningSounds& sounds;
    CProgressBar& progressBar;
    Scheduler& scheduler;
};

}  // namespace rilto::fakes
