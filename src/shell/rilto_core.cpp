#include "shell/rilto_core.h"

#include "common/options.h"

namespace rilto {

RiltoCore::RiltoCore(const CorePorts& ports)
    : store_(ports.store),
      clock_(ports.clock),
      hook_(ports.hook),
      status_(ports.views.status),
      minuteMs_(ports.minuteMs),
      writer_(settings_, ports.store),
      minutes_(ports.timers.minutes, ports.clock),
      sounds_(ports.sound, settings_, ports.programFolder),
      scheduler_(SchedulerPorts{settings_, minutes_, ports.timers.seconds, ports.hook,
                                ports.systemInput, ports.clock, progressBar_, sounds_,
                                ports.views.micropause, minuteMs_}),
      holdGate_(settings_, ports.holdProbe, ports.timers.hold, ports.clock, minuteMs_),
      pause_(ports.store, ports.clock, ports.timers.pause),
      offHours_(settings_, ports.clock, ports.timers.schedule),
      statistics_(ports.store, ports.clock),
      dailyLimit_(DailyLimitPorts{
          settings_, statistics_, ports.views.dailyLimit, [this] { return BreaksQuiet(); },
          [this] { return BreakInTheWay(); }, [this] { pause_.UntilTomorrow(); }}),
      breaks_(ExerciseBreakPorts{ports.store, writer_, exercises_, scheduler_, sounds_,
                                 ports.views.player, ports.views.reminder, ports.random}),
      settingsDialog_(SettingsDialogPorts{
          writer_, ports.store, scheduler_, ports.hook, breaks_, ports.views.settings,
          [this](const std::string& text) { status_.ShowWarning(text); }, ports.programFolder,
          [this] {
              offHours_.Check();
              if (applied_) {
                  applied_();
              }
          }}),
      tray_(ports.tray),
      figuresWrittenAt_(ports.clock.TickCount()) {
    scheduler_.SetExerciseFlow(breaks_);
    scheduler_.SetHoldGate(holdGate_);
    scheduler_.SetPause(pause_);
    scheduler_.SetOffHours(offHours_);
    scheduler_.SetDayCounter(statistics_);
    statistics_.OnChange(
        [this] { status_.ShowMicropausesToday(statistics_.Today()[DayCount::micropauses]); });
    pause_.OnChange([this] {
        scheduler_.PauseChanged();
        status_.ShowPausedUntil(pause_.UntilText());
    });
    offHours_.OnChange([this] {
        scheduler_.PauseChanged();
        status_.ShowOffHours(OffHoursShown{offHours_.Active(), offHours_.UntilText()});
    });
    breaks_.OnBreakEnded([this] { WriteDayFigures(); });
}

void RiltoCore::Start(StartupHost& host) {
    RunStartup(StartupParts{store_, writer_, exercises_, scheduler_, hook_, host});
    // The working hours as the options just loaded have them.
    offHours_.Check();
    status_.ShowReadingMode(settings_.ReadingMode);
}

// The figures go with the minute, when they changed: a crash loses a minute at most. The
// daily limit looks at the minute just counted.
void RiltoCore::OnMinute() {
    minutes_.Ticked();
    scheduler_.MinuteTick();
    dailyLimit_.Check();
    WriteDayFigures();
}

// An exercise break stops the minute's timer for its length, and a pause's end or a
// wake-up starts its minute again: the seconds write the figures meanwhile.
void RiltoCore::OnSecond() {
    scheduler_.SecondsTick();
    if (FiguresDue()) {
        WriteDayFigures();
    }
}

void RiltoCore::OnPauseTimer() {
    pause_.Check();
}

void RiltoCore::OnHoldTimer() {
    holdGate_.Look();
}

void RiltoCore::OnScheduleTimer() {
    offHours_.Check();
}

TrayMenuContent RiltoCore::TrayMenu() {
    TrayFeatures features;
    features.settingsDialog = true;
    features.aboutBox = true;
    features.exerciseBreaks = true;
    TrayMenuContent content = LoadTrayMenu(store_, features);
    content.pausedUntil = pause_.UntilText();
    content.offHours = offHours_.Active();
    content.offHoursUntil = offHours_.UntilText();
    content.readingMode = settings_.ReadingMode;
    return content;
}

void RiltoCore::MicropauseNow() {
    scheduler_.RiltoMicropause();
}

void RiltoCore::ExerciseNow() {
    breaks_.ExerciseNowFromTray();
}

void RiltoCore::RunScheme(const std::string& name) {
    breaks_.RunScheme(name);
    settingsDialog_.SchemeInUseChanged();
}

void RiltoCore::PauseFor(std::int32_t minutes) {
    pause_.For(minutes);
}

void RiltoCore::PauseUntilTomorrow() {
    pause_.UntilTomorrow();
}

void RiltoCore::Resume() {
    pause_.Resume();
}

void RiltoCore::SwitchReadingMode() {
    const bool on = !settings_.ReadingMode;
    writer_.SetReadingMode(on);
    const OptionRow& row = RowOf(Option::ReadingMode);
    store_.SaveSetting(row.section, row.key, on ? "1" : "0");
    scheduler_.ReadingModeChanged();
    status_.ShowReadingMode(on);
}

void RiltoCore::StopForToday() {
    dailyLimit_.StopForToday();
}

void RiltoCore::RemindMeLater() {
    dailyLimit_.RemindMeLater();
}

void RiltoCore::Resumed() {
    scheduler_.Resumed();
    pause_.Check();
    offHours_.Check();
}

void RiltoCore::Noticed(SystemNotice notice) {
    switch (notice) {
        case SystemNotice::Suspended:
            scheduler_.Suspending();
            break;
        case SystemNotice::Resumed:
            Resumed();
            break;
        case SystemNotice::Locked:
            scheduler_.SessionLocked();
            break;
        case SystemNotice::Unlocked:
            scheduler_.SessionUnlocked();
            break;
        case SystemNotice::None:
            break;
    }
}

void RiltoCore::TimeChanged() {
    pause_.Check();
    status_.ShowPausedUntil(pause_.UntilText());
    offHours_.Check();
}

void RiltoCore::WriteDayFigures() {
    figuresWrittenAt_ = clock_.TickCount();
    statistics_.Flush();
    status_.FiguresWritten();
}

bool RiltoCore::BreaksQuiet() {
    return pause_.Active() || offHours_.Active();
}

bool RiltoCore::BreakInTheWay() {
    const SchedulerState& state = scheduler_.State();
    return state.MicropauseRunning || state.MicropauseHeld || state.ReminderHeld ||
           state.MicropauseAwaited || state.ExerciseReminderPending ||
           breaks_.ExerciseInProgress() || holdGate_.WouldHold();
}

bool RiltoCore::FiguresDue() const {
    // The tick count wraps every 49.7 days; the difference does not care.
    return clock_.TickCount() - figuresWrittenAt_ >= minuteMs_;
}

}  // namespace rilto
