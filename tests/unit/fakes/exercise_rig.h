#pragma once
// The scheduler rig with the program's exercise breaks in place of the stand-in: a store
// in memory, the exercise table, and a player and a reminder that record what they were
// asked to do.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "exercise/exercise_break.h"
#include "exercise/scheme_store.h"
#include "fakes/scheduler_rig.h"

namespace rilto::fakes {

struct ExerciseRig : SchedulerRig {
    explicit ExerciseRig(std::uint32_t startTick = 5'000'000, LocalTime startTime = {9, 0},
                         std::uint32_t minuteMs = kRealMinuteMs)
        : SchedulerRig(startTick, startTime, minuteMs),
          table(core.exercises()),
          flow(core.breaks()) {
        scheduler.SetExerciseFlow(flow);
        settings.NumAtaTime = 6;
    }

    // A scheme "Test" of `n` exercises e1.avi.. with titles "Exercise k", each shown for
    // `seconds`; those in `off` take no part. Stored, made the scheme in use and loaded.
    void UseScheme(std::int32_t n, std::vector<std::int32_t> off = {}, std::int32_t seconds = 0) {
        std::vector<ExerciseRecord> records(static_cast<std::size_t>(n) + 1);
        for (std::int32_t k = 1; k <= n; ++k) {
            records[static_cast<std::size_t>(k)] = {
                "e" + std::to_string(k) + ".avi", "Exercise " + std::to_string(k),
                std::find(off.begin(), off.end(), k) == off.end() ? 1 : 0, seconds};
        }
        SaveScheme(store, "Test", records, n);
        settings.Scheme = "Test";
        LoadScheme(store, settings.Scheme, table);
    }

    // The first break after start-up shows the title entry: one break of that alone, so
    // that the next starts the cycle. What it showed is forgotten.
    void PassTitle() {
        const std::string stored = store.GetSetting(kExercise, "NumAtaTime", "");
        store.SaveSetting(kExercise, "NumAtaTime", "1");
        RunBreak();
        if (stored.empty()) {
            store.DeleteSetting(kExercise, "NumAtaTime");
        } else {
            store.SaveSetting(kExercise, "NumAtaTime", stored);
        }
        player.forward.clear();
    }

    // Starts a break as the tray does and lets it run to its end; what it showed.
    std::vector<std::string> RunBreak() {
        const std::size_t before = player.forward.size();
        flow.ExerciseNowFromTray();
        RunToEnd();
        return {player.forward.begin() + static_cast<std::ptrdiff_t>(before), player.forward.end()};
    }
    void RunToEnd() {
        for (int s = 0; s < 10'000 && flow.ExerciseInProgress(); ++s) {
            AdvanceSeconds(1);
        }
    }

    ExerciseTable& table;
    ExerciseBreakFlow& flow;
};

}  // namespace rilto::fakes
