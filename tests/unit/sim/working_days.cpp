#include "sim/working_days.h"

#include <cstdio>
#include <functional>
#include <random>

#include "common/memory_settings_store.h"
#include "common/settings.h"
#include "exercise/scheme_store.h"
#include "fakes/fake_activity_hook.h"
#include "fakes/fake_settings_view.h"
#include "fakes/fake_status_view.h"
#include "fakes/scheduler_rig.h"
#include "fakes/virtual_clock.h"
#include "shell/rilto_core.h"

namespace rilto::sim {

namespace {

using fakes::FakeActivityHook;
using fakes::FakeHoldProbe;
using fakes::FakeSettingsView;
using fakes::FakeStatusView;
using fakes::FakeTimer;
using fakes::kMsPerDay;
using fakes::kMsPerHour;
using fakes::kMsPerMinute;
using fakes::kMsPerSecond;
using fakes::VirtualClock;

constexpr std::int32_t kInterruptFor = 15;
constexpr std::int32_t kInterruptEvery = 4;
constexpr std::int32_t kEveryM = 50;
constexpr std::int32_t kAwayM = 10;
constexpr std::int32_t kExercises = 3;
constexpr std::int32_t kExerciseSeconds = 20;
// Day 0 is a Monday; the simulation starts at its 08:00, with the tick count two hours
// short of 2^31.
constexpr std::uint32_t kStartTick = 0x8000'0000u - 2 * 3'600'000u;
constexpr std::uint64_t kSlack = 20 * kMsPerSecond;

// Every pattern ends at once.
struct NullSound : Sound {
    void Play(SoundSteps, std::function<void()> done) override {
        if (done) {
            done();
        }
    }
};

struct SimView : MicropauseView {
    void SetCaption(ViewLabel label, const std::string&) override {
        if (label == ViewLabel::lblvoluntary) {
            natural();
        }
    }
    void SetVisible(ViewControl, bool) override {}
    void SetWindowState(WindowState) override {}
    void Repaint() override {}
    void ShowForm() override { shown(); }
    void HideForm() override {}
    void MakeTopmost() override {}
    void SendToBottom() override {}
    void CatchEscape(bool) override {}
    std::function<void()> shown;
    std::function<void()> natural;
};

struct SimPlayer : ExercisePlayer {
    void PrepareBreak() override {}
    void PresentExercise(const std::string&, bool) override {}
    void SetCaption(const std::string&) override {}
    void CloseVideo() override {}
    void ClosePlayer() override {}
    bool AskQuit() override { return false; }
};

// The limit is off in the simulation: its window never comes.
struct SimDailyLimit : DailyLimitView {
    void ShowDailyLimit(std::int32_t, std::int32_t) override {}
    void CloseDailyLimit() override {}
};

struct SimReminder : ExerciseReminder {
    void Show(const std::string&) override {
        shown = true;
        onShow();
    }
    void Close() override { shown = false; }
    void EnableLater(bool) override {}
    bool shown = false;
    std::function<void()> onShow;
};

class Simulation {
  public:
    explicit Simulation(std::uint32_t seed)
        : clock_(kStartTick, {8, 0}),
          tMinutes_(clock_, "tMinutes"),
          tSeconds_(clock_, "tSeconds"),
          tPause_(clock_, "tPause"),
          tHold_(clock_, "tHold"),
          tSchedule_(clock_, "tSchedule"),
          hook_(clock_),
          settingsView_(clock_),
          core_(CorePorts{store_, clock_,
                          CoreTimers{tMinutes_, tSeconds_, tPause_, tHold_, tSchedule_}, hook_,
                          hook_, probe_, sound_,
                          CoreViews{view_, player_, reminder_, settingsView_, status_, dailyLimit_},
                          TrayActions{}, "C:\\Rilto", [this] { return Uniform(0, 999) / 1000.0; }}),
          settings_(core_.settings()),
          table_(core_.exercises()),
          scheduler_(core_.scheduler()),
          flow_(core_.breaks()),
          random_(seed) {
        settings_.InterruptFor = kInterruptFor;
        settings_.InterruptEvery = kInterruptEvery;
        settings_.EveryM = kEveryM;
        settings_.AwayM = kAwayM;
        settings_.IntelliReset = true;
        settings_.NumAtaTime = kExercises;
        std::vector<ExerciseRecord> records(kExercises + 1);
        for (std::int32_t k = 1; k <= kExercises; ++k) {
            records[static_cast<std::size_t>(k)] = {"e.avi", "Exercise", 1, kExerciseSeconds};
        }
        SaveScheme(store_, "Sim", records, kExercises);
        store_.SaveSetting(kExercise, "NumAtaTime", std::to_string(kExercises));
        settings_.Scheme = "Sim";
        LoadScheme(store_, settings_.Scheme, table_);

        tMinutes_.OnTick([this] { core_.OnMinute(); });
        tSeconds_.OnTick([this] { core_.OnSecond(); });
        tPause_.OnTick([this] { core_.OnPauseTimer(); });
        tHold_.OnTick([this] { core_.OnHoldTimer(); });
        tSchedule_.OnTick([this] { core_.OnScheduleTimer(); });
        view_.shown = [this] { MicropauseShown(); };
        view_.natural = [this] { NaturalClaimed(); };
        reminder_.onShow = [this] { ReminderShown(); };
    }

    WorkingDaysFigures Run(int workingDays) {
        scheduler_.SetTimers();
        scheduler_.SeedLastInputTimes();
        lastTick_ = clock_.TickCount();
        int calendarDay = 0;
        for (int worked = 0; worked < workingDays; ++calendarDay) {
            if (calendarDay % 7 >= 5) {
                continue;  // the weekend: asleep since Friday evening
            }
            ++worked;
            const std::uint64_t dayStart = static_cast<std::uint64_t>(calendarDay) * kMsPerDay;
            if (worked > 1) {
                Wake(dayStart + Uniform(0, 20) * kMsPerMinute);
            }
            WorkUntil(dayStart + 4 * kMsPerHour + Uniform(0, 45) * kMsPerMinute);
            if (Uniform(0, 1) == 0) {
                Lock(Uniform(30, 60) * kMsPerMinute);
            } else {
                Silence(Uniform(30, 60) * kMsPerMinute);
            }
            WorkUntil(dayStart + 9 * kMsPerHour + Uniform(0, 60) * kMsPerMinute);
            GoHome();
        }
        figures_.workingDays = workingDays;
        figures_.calendarDays = calendarDay;
        return figures_;
    }

  private:
    std::uint64_t Uniform(std::uint64_t low, std::uint64_t high) {
        return std::uniform_int_distribution<std::uint64_t>(low, high)(random_);
    }
    std::uint64_t Now() const { return clock_.Elapsed(); }
    // Time the machine was awake: the countdowns move only then.
    std::uint64_t Awake() const { return clock_.Elapsed() - asleepMs_; }

    // The script.
    void WorkUntil(std::uint64_t end) {
        while (Now() < end) {
            Type(Uniform(30, 360) * kMsPerSecond);
            switch (Uniform(0, 9)) {
                case 0:
                case 1:
                    Silence(Uniform(2 * kInterruptFor + 1, 120) * kMsPerSecond);
                    break;
                case 2:
                    Silence(Uniform(3, kAwayM - 2) * kMsPerMinute);  // reading
                    break;
                case 3:
                    if (Uniform(0, 2) == 0) {
                        Silence(Uniform(kAwayM + 2, 40) * kMsPerMinute);  // away from the desk
                    }
                    break;
                case 4:
                    Lock(Uniform(0, 1) == 0 ? Uniform(2, kAwayM - 3) * kMsPerMinute
                                            : Uniform(kAwayM + 2, 30) * kMsPerMinute);
                    break;
                case 5:
                    LidClosed(Uniform(0, 1) == 0 ? Uniform(3, kAwayM - 3) * kMsPerMinute
                                                 : Uniform(kAwayM + 2, 45) * kMsPerMinute);
                    break;
                default:
                    break;
            }
        }
    }

    // Input every 1 to 5 seconds; the user stops for a micropause, and takes an exercise
    // break as soon as one is offered.
    void Type(std::uint64_t ms) {
        const std::uint64_t end = Now() + ms;
        while (Now() < end) {
            if (scheduler_.State().MicropauseRunning) {
                Step(kMsPerSecond);
                continue;
            }
            if (reminder_.shown && flow_.ExerciseNowFromReminder()) {
                RunBreak();
                continue;
            }
            hook_.Input(Uniform(0, 1) == 0 ? kKeyboard : kMouse);
            lastInput_ = Now();
            Step(Uniform(1, 5) * kMsPerSecond);
        }
    }

    void Silence(std::uint64_t ms) {
        const bool away = ms >= static_cast<std::uint64_t>(kAwayM) * kMsPerMinute;
        const Watch watch = StartWatch();
        away_ = away;
        for (std::uint64_t end = Now() + ms; Now() < end;) {
            Step(std::min<std::uint64_t>(5 * kMsPerSecond, end - Now()));
        }
        away_ = false;
        EndWatch(watch);
        if (away) {
            BackFromAbsence();
        }
    }

    // The lock screen makes its own input, which is not the user's.
    void Lock(std::uint64_t ms) {
        const bool away = ms >= static_cast<std::uint64_t>(kAwayM) * kMsPerMinute;
        const Watch watch = StartWatch();
        ++figures_.locks;
        locked_ = true;
        away_ = away;
        scheduler_.SessionLocked();
        for (std::uint64_t end = Now() + ms; Now() < end;) {
            hook_.InputWindowsOnly();
            Step(std::min<std::uint64_t>(20 * kMsPerSecond, end - Now()));
        }
        Unlock();
        EndWatch(watch);
        if (away) {
            BackFromAbsence();
        }
    }

    void Unlock() {
        locked_ = false;
        away_ = false;
        back_ = true;
        scheduler_.SessionUnlocked();
        back_ = false;
    }

    void LidClosed(std::uint64_t ms) {
        Suspend(ms);
        back_ = true;
        scheduler_.Resumed();
        back_ = false;
        if (ms >= static_cast<std::uint64_t>(kAwayM) * kMsPerMinute) {
            BackFromAbsence();
        }
    }

    void Suspend(std::uint64_t ms) {
        ++figures_.sleeps;
        scheduler_.Suspending();
        clock_.Sleep(ms);
        asleepMs_ += ms;
        ++resumesSinceExercise_;
        CountWraps();
    }

    void GoHome() {
        locked_ = true;
        away_ = true;
        ++figures_.locks;
        scheduler_.SessionLocked();
        Step(Uniform(5, 60) * kMsPerSecond);
    }

    // The next working day's morning: the machine wakes, then the user unlocks.
    void Wake(std::uint64_t at) {
        Suspend(at > Now() ? at - Now() : 0);
        scheduler_.Resumed();
        Step(Uniform(5, 60) * kMsPerSecond);
        Unlock();
        BackFromAbsence();
    }

    void RunBreak() {
        inBreak_ = true;
        while (flow_.ExerciseInProgress()) {
            Step(kMsPerSecond);
        }
        inBreak_ = false;
        ++figures_.breaks;
        lastExercise_ = Awake();
        resumesSinceExercise_ = 0;
        lastMicropause_ = Awake();
    }

    // The judge.
    void Step(std::uint64_t ms) {
        clock_.Advance(ms);
        CountWraps();
        if (inBreak_) {
            return;
        }
        if (Awake() - lastMicropause_ > (kInterruptEvery + 1) * kMsPerMinute + kSlack) {
            Fault("a micropause lost");
            lastMicropause_ = Awake();
        }
        const std::uint64_t exerciseLimit =
            (kEveryM + 1 + resumesSinceExercise_) * kMsPerMinute + kSlack;
        if (!locked_ && !away_ && !reminder_.shown && Awake() - lastExercise_ > exerciseLimit) {
            Fault("an exercise reminder lost");
            lastExercise_ = Awake();
        }
    }

    void MicropauseShown() {
        ++figures_.micropauses;
        if (Awake() - lastMicropause_ < (kInterruptEvery - 1) * kMsPerMinute) {
            Fault("a micropause early");
        }
        lastMicropause_ = Awake();
    }

    // A rest is claimed only where the user gave no input for a whole poll, or was locked
    // or asleep.
    void NaturalClaimed() {
        ++figures_.naturalMicropauses;
        if (!locked_ && !back_ &&
            Now() - lastInput_ < static_cast<std::uint64_t>(kInterruptFor) * kMsPerSecond) {
            Fault("a rest claimed while the user typed");
        }
        lastMicropause_ = Awake();
    }

    void ReminderShown() {
        ++figures_.reminders;
        if (Awake() - lastExercise_ < (kEveryM - 1) * kMsPerMinute) {
            Fault("an exercise reminder early");
        }
    }

    void BackFromAbsence() {
        ++figures_.absences;
        lastExercise_ = Awake();
        resumesSinceExercise_ = 0;
    }

    // A silence of two polls and more, with nothing else running, is a rest the program
    // must see.
    struct Watch {
        int natural;
        int micropauses;
        int breaks;
        std::uint64_t from;
        bool micropauseRunning;
    };
    Watch StartWatch() const {
        return {figures_.naturalMicropauses, figures_.micropauses, figures_.breaks, Now(),
                scheduler_.State().MicropauseRunning};
    }
    void EndWatch(const Watch& w) {
        const bool long_enough = Now() - w.from > 2 * kInterruptFor * kMsPerSecond;
        if (long_enough && !w.micropauseRunning && !scheduler_.State().MicropauseRunning &&
            w.micropauses == figures_.micropauses && w.breaks == figures_.breaks &&
            w.natural == figures_.naturalMicropauses) {
            Fault("a rest not seen");
        }
    }

    void CountWraps() {
        const std::uint32_t tick = clock_.TickCount();
        if (((tick ^ lastTick_) & 0x8000'0000u) != 0) {
            ++figures_.wraps;
        }
        lastTick_ = tick;
    }

    void Fault(const std::string& what) {
        const std::uint64_t at = 8 * kMsPerHour + Now();
        char when[48];
        std::snprintf(when, sizeof when,
                      "day %llu %02llu:%02llu: ", static_cast<unsigned long long>(at / kMsPerDay),
                      static_cast<unsigned long long>(at % kMsPerDay / kMsPerHour),
                      static_cast<unsigned long long>(at % kMsPerHour / kMsPerMinute));
        figures_.faults.push_back(when + what);
    }

    VirtualClock clock_;
    FakeTimer tMinutes_;
    FakeTimer tSeconds_;
    FakeTimer tPause_;
    FakeTimer tHold_;
    FakeTimer tSchedule_;
    MemorySettingsStore store_;
    FakeActivityHook hook_;
    FakeHoldProbe probe_;
    NullSound sound_;
    SimView view_;
    SimPlayer player_;
    SimReminder reminder_;
    FakeSettingsView settingsView_;
    FakeStatusView status_;
    SimDailyLimit dailyLimit_;
    RiltoCore core_;
    Settings& settings_;
    ExerciseTable& table_;
    Scheduler& scheduler_;
    ExerciseBreakFlow& flow_;
    std::mt19937 random_;

    WorkingDaysFigures figures_;
    std::uint64_t asleepMs_ = 0;
    std::uint64_t lastInput_ = 0;
    std::uint64_t lastMicropause_ = 0;
    std::uint64_t lastExercise_ = 0;
    std::uint64_t resumesSinceExercise_ = 0;
    std::uint32_t lastTick_ = 0;
    bool locked_ = false;
    bool away_ = false;
    bool back_ = false;
    bool inBreak_ = false;
};

}  // namespace

WorkingDaysFigures SimulateWorkingDays(int workingDays, std::uint32_t seed) {
    Simulation simulation(seed);
    return simulation.Run(workingDays);
}

}  // namespace rilto::sim
