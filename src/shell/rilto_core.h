#pragma once
// The program put together: the settings, the scheduler with its holds, pause and day's
// figures, the exercise breaks, the settings dialog's controller and the tray's, wired to
// each other once, here. It is given the ports (store, clock, a timer for each role, the
// hook, the system's input time, the hold probe, sound, the views) and the length of the
// program's minute; the Win32 program and the tests build it alike, the tests on a
// virtual clock. What happens at each timer's tick is one named method.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/settings_store.h"
#include "engine/activity_hook.h"
#include "engine/clock.h"
#include "engine/daily_limit.h"
#include "engine/hold.h"
#include "engine/micropause_view.h"
#include "engine/off_hours.h"
#include "engine/pause.h"
#include "engine/progress_bar.h"
#include "engine/scheduler.h"
#include "engine/sound.h"
#include "engine/statistics_book.h"
#include "engine/system_input.h"
#include "engine/system_notice.h"
#include "engine/timer.h"
#include "engine/warning_sounds.h"
#include "exercise/exercise_break.h"
#include "exercise/exercise_player.h"
#include "exercise/exercise_table.h"
#include "settings/settings_dialog.h"
#include "shell/startup.h"
#include "shell/timer_period.h"
#include "shell/tray_menu_model.h"
#include "shell/tray_tip.h"

namespace rilto {

// One timer for each thing that runs on time.
struct CoreTimers {
    Timer& minutes;   // tMinutes: the countdowns
    Timer& seconds;   // tSeconds: the idle poll, a micropause's bar, an exercise's seconds
    Timer& pause;     // tPause: a pause's end
    Timer& hold;      // tHold: the looks at a hold
    Timer& schedule;  // tSchedule: the next start or end of the working hours
};

// What the program shows beside its windows: the tray icon's state, the micropause
// screen's message and the statistics window.
class StatusView {
  public:
    virtual ~StatusView() = default;
    // "hh:nn" while the breaks are paused, empty when they are not.
    virtual void ShowPausedUntil(const std::string& until) = 0;
    // Off hours began or ended, or their next start moved.
    virtual void ShowOffHours(const OffHoursShown& offHours) = 0;
    virtual void ShowMicropausesToday(int count) = 0;
    // Reading mode is on or off: at start-up and whenever the tray switches it.
    virtual void ShowReadingMode(bool on) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
    // The day's figures were written: an open statistics window draws them again.
    virtual void FiguresWritten() = 0;
};

struct CoreViews {
    MicropauseView& micropause;
    ExercisePlayer& player;
    ExerciseReminder& reminder;
    SettingsDialogView& settings;
    StatusView& status;
    DailyLimitView& dailyLimit;
};

struct CorePorts {
    SettingsStore& store;
    Clock& clock;
    CoreTimers timers;
    ActivityHook& hook;
    SystemInput& systemInput;
    HoldProbe& holdProbe;
    Sound& sound;
    CoreViews views;
    // What the tray icon's clicks and the key commands of other processes lead to.
    TrayActions tray;
    // Where the program's files are: the warning sounds, added exercises.
    std::string programFolder;
    // Uniform in [0, 1): where a cycle through a scheme starts.
    std::function<double()> random;
    // The program's minute, in milliseconds.
    std::uint32_t minuteMs = kRealMinuteMs;
};

class RiltoCore {
  public:
    explicit RiltoCore(const CorePorts& ports);
    RiltoCore(const RiltoCore&) = delete;
    RiltoCore& operator=(const RiltoCore&) = delete;

    // Start-up in its order (see RunStartup), with the windows `host` makes.
    void Start(StartupHost& host);

    // The timers' ticks.
    void OnMinute();
    void OnSecond();
    void OnPauseTimer();
    void OnHoldTimer();
    void OnScheduleTimer();

    // The tray menu's commands, and the menu as its next display shows it.
    TrayMenuContent TrayMenu();
    void MicropauseNow();
    void ExerciseNow();
    void RunScheme(const std::string& name);
    void PauseFor(std::int32_t minutes);
    void PauseUntilTomorrow();
    void Resume();
    // "Rea&ding Mode": on if it was off, off if on; stored at once, so that it outlasts the
    // program, and kept in the options in effect, so that the settings dialog's Apply
    // leaves it as it is.
    void SwitchReadingMode();

    // The daily limit's window: "&Stop for today", and "Re&mind me later" or its close.
    void StopForToday();
    void RemindMeLater();

    // The machine woke: a pause that ended meanwhile ends now, and off hours that began
    // or ended meanwhile are found.
    void Resumed();
    // A power or session notice: the machine sleeps or woke, the session locked or not.
    void Noticed(SystemNotice notice);
    // The clock was set or the time zone changed: a pause that ended meanwhile ends, and
    // the tray says again until when one lasts, in the new local time; off hours follow
    // the new local time.
    void TimeChanged();

    // The day's figures written: each minute, also while the minute's timer stands still
    // (an exercise break), and when a break ends.
    void WriteDayFigures();

    // Told after each Apply of the settings dialog, once the program follows the options.
    void OnApplied(std::function<void()> applied) { applied_ = std::move(applied); }

    // The options in effect: the program changes them only through the writer; a test
    // sets them here as if the store had held them.
    Settings& settings() { return settings_; }
    SettingsWriter& writer() { return writer_; }
    WarningSounds& sounds() { return sounds_; }
    CProgressBar& progressBar() { return progressBar_; }
    Scheduler& scheduler() { return scheduler_; }
    HoldGate& holdGate() { return holdGate_; }
    Pause& pause() { return pause_; }
    OffHours& offHours() { return offHours_; }
    StatisticsBook& statistics() { return statistics_; }
    DailyLimit& dailyLimit() { return dailyLimit_; }
    ExerciseTable& exercises() { return exercises_; }
    ExerciseBreakFlow& breaks() { return breaks_; }
    SettingsDialog& settingsDialog() { return settingsDialog_; }
    TrayController& tray() { return tray_; }
    std::uint32_t minuteMs() const { return minuteMs_; }
    // The countdowns' timer, and where its minute stands.
    TimerPeriod& minuteTimer() { return minutes_; }

  private:
    // A minute has passed since the figures were last written.
    bool FiguresDue() const;
    // No break comes of itself now: paused, or off hours.
    bool BreaksQuiet();
    // A break runs, waits or shows its reminder, or the foreground holds breaks: the daily
    // limit waits too.
    bool BreakInTheWay();

    SettingsStore& store_;
    Clock& clock_;
    ActivityHook& hook_;
    StatusView& status_;
    const std::uint32_t minuteMs_;
    Settings settings_;
    SettingsWriter writer_;
    TimerPeriod minutes_;
    WarningSounds sounds_;
    CProgressBar progressBar_;
    Scheduler scheduler_;
    HoldGate holdGate_;
    Pause pause_;
    OffHours offHours_;
    StatisticsBook statistics_;
    DailyLimit dailyLimit_;
    ExerciseTable exercises_;
    ExerciseBreakFlow breaks_;
    SettingsDialog settingsDialog_;
    TrayController tray_;
    std::function<void()> applied_;
    // The tick count of the last write of the day's figures.
    std::uint32_t figuresWrittenAt_ = 0;
};

}  // namespace rilto
