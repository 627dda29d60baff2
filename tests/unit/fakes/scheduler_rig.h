#pragma once
// The scheduler wired to fakes, as the program wires it to the main form: the two
// timers call the tick methods. Tests set `settings`, then Start() does what start-up
// does (SetTimers, then the input times seeded) and the virtual clock runs the rest.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/progress_bar.h"
#include "engine/scheduler.h"
#include "engine/warning_sounds.h"
#include "fakes/event_log.h"
#include "fakes/fake_activity_hook.h"
#include "fakes/fake_exercise_flow.h"
#include "fakes/fake_micropause_view.h"
#include "fakes/fake_sound.h"
#include "fakes/virtual_clock.h"
#include "common/settings.h"

namespace rilto::fakes {

inline constexpr char kProgramFolder[] = "C:\\Program Files\\Rilto";
// Minutes of silence no test reaches.
inline constexpr std::int32_t kNeverAway = 1'000'000;

// With UseSoundFiles() each warning plays a file of its own, so the log tells them apart.
inline constexpr char kPreWarningPlayed[] = "play C:\\Program Files\\Rilto\\pre.wav wait";
inline constexpr char kStartWarningPlayed[] = "play C:\\Program Files\\Rilto\\start.wav wait";
inline constexpr char kExerciseWarningPlayed[] = "play C:\\Program Files\\Rilto\\x.wav nowait";

struct SchedulerRig {
    explicit SchedulerRig(std::uint32_t startTick = 5'000'000, LocalTime startTime = {9, 0})
        : clock(startTick, startTime),
          tMinutes(clock, "tMinutes", &log),
          tSeconds(clock, "tSeconds", &log),
          hook(clock),
          sound(log, clock),
          view(log, clock),
          exercise(log, clock),
          sounds(sound, settings, kProgramFolder),
          scheduler(SchedulerPorts{.settings = settings,
                                   .tMinutes = tMinutes,
                                   .tSeconds = tSeconds,
                                   .hook = hook,
                                   .systemInput = hook,
                                   .clock = clock,
                                   .progressBar = progressBar,
                                   .sounds = sounds,
                                   .view = view}) {
        // The user of these tests stays at the machine, however quiet, unless a test
        // sends them away with a real AwayM.
        settings.AwayM = kNeverAway;
        tMinutes.OnTick([this] { scheduler.MinuteTick(); });
        tSeconds.OnTick([this] { scheduler.SecondsTick(); });
        scheduler.SetExerciseFlow(exercise);
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
    void AdvanceMinutes(std::uint64_t m) { clock.Advance(m * kMsPerMinute); }

    Settings settings;
    EventLog log;
    VirtualClock clock;
    FakeTimer tMinutes;
    FakeTimer tSeconds;
    FakeActivityHook hook;
    FakeSound sound;
    FakeMicropauseView view;
    FakeExerciseFlow exercise;
    CProgressBar progressBar;
    WarningSounds sounds;
    Scheduler scheduler;
};

}  // namespace rilto::fakes
