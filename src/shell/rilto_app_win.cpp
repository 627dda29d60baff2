#include "shell/rilto_app_win.h"

#include <cstdlib>

#include "common/capture_exclusion_win.h"
#include "common/hook_window_address_win.h"
#include "common/minute.h"
#include "common/product.h"
#include "common/program_folder_win.h"
#include "common/texts.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "shell/control_desk.h"
#include "shell/first_run.h"
#include "shell/first_run_host_win.h"
#include "shell/single_instance_win.h"

namespace rilto {

RiltoApp::RiltoApp()
    : programFolder_(rilto::ProgramFolder()),
      tMinutes_("tMinutes"),
      tSeconds_("tSeconds"),
      tPause_("tPause"),
      tHold_("tHold"),
      tSchedule_("tSchedule"),
      // Told from the hook window's procedure, so that a menu or message box open at
      // the time does not swallow the notice.
      hook_([this] { hookWindow_.Post([this] { ShowNotice(kNoHookLibrary); }); }),
      random_(static_cast<std::mt19937::result_type>(GetTickCount()) ^
              static_cast<std::mt19937::result_type>(GetCurrentProcessId())),
      core_(CorePorts{
          store_, clock_, CoreTimers{tMinutes_, tSeconds_, tPause_, tHold_, tSchedule_}, hook_,
          systemInput_, holdProbe_, sound_,
          CoreViews{frmRilto_, frmX_, frmChkExercise_, frmSettings_, *this, frmDailyLimit_},
          TrayActions{[this] { LoadSettingsDialog(); },
                      [this](std::optional<TrayPoint> at) { return ShowTrayMenu(at); },
                      [this] { ShutdownNow(*this); }, [this] { trayIcon_.ReturnFocus(); }},
          programFolder_,
          [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); },
          MinuteFromText(std::getenv(kMinuteVariable))}),
      frmX_(core_.settings(), programFolder_),
      frmSettings_(
          FrmSettingsPorts{core_.writer(), core_.sounds(), programFolder_,
                           [this](const std::function<bool()>& busy) { loop_.WaitWhile(busy); }}),
      frmStatistics_([this] { return core_.statistics().StoredDays(); },
                     [this] { return core_.statistics().TodayDate(); },
                     [this] { return DailyLimitDrawn(core_.settings()); }),
      hotKeys_(hotKeyRegistrar_, core_, [this] { frmStatistics_.Show(); }) {
    frmSettings_.Attach(core_.settingsDialog());
    hotKeys_.OnChange([this] { ShowHotKeyStates(); });
    core_.OnApplied([this] { hotKeys_.Register(core_.settings()); });
}

int RiltoApp::Run(const std::string& arguments) {
    const SingleInstance instance;
    const StartDecision start = DecideStart(instance.AlreadyRunning(), arguments, store_);
    if (!RunsHere(start)) {
        return 0;
    }
    if (!CreateWindows()) {
        ShowNotice(kCannotStart);
        return 1;
    }
    core_.Start(*this);
    // The options are loaded now: the break screens learn whether screen sharing may see them.
    frmRilto_.HideFromCapture(core_.settings().HideFromCapture);
    // The exercise player and the reminder come last, as the start-up order has them:
    // the program is reachable and in the tray the sooner. Nothing can start a break
    // before they exist, as no message is handled between the timers' start and here.
    exerciseWindowsMade_ = CreateExerciseWindows();
    if (!exerciseWindowsMade_) {
        ShowNotice(kCannotStart);
        unloaded_ = true;
        UnloadMainForm(*this);
        return 1;
    }
    // The settings dialog, the largest of the windows, is made once the program is
    // reachable and in the tray: its icon comes sooner. It is made before the first
    // message is handled, or on demand should the first run's questions open it first.
    SettingsDialogReady();
    // The hot keys once every window they reach exists; one that cannot be had is reported.
    hotKeys_.Register(core_.settings());
    // A pause from before the start goes on, if it has not ended meanwhile.
    core_.OnPauseTimer();
    return loop_.Run();
}

bool RiltoApp::CreateWindows() {
    Scheduler& scheduler = core_.scheduler();
    FrmRiltoEvents form;
    form.escapePressed = [&scheduler] { scheduler.EscapePressed(); };
    form.statusOk = [&scheduler] { scheduler.StatusOk(); };
    form.closeRequested = [&scheduler] { scheduler.CloseRequested(); };
    form.skipRequested = [&scheduler] { scheduler.Skip(); };
    form.diagnosticsRequested = [&scheduler] { scheduler.ShowDiagnostics(); };
    // Explorer restarted: its new taskbar has none of the old icons.
    form.taskbarCreated = [this] { trayIcon_.AddAgain(); };
    form.systemNotice = [this](SystemNotice notice) { core_.Noticed(notice); };
    form.timeChanged = [this] { core_.TimeChanged(); };
    form.hotKey = [this](int id) { hotKeys_.Pressed(id); };
    form.sessionEnding = [this] {
        if (!unloaded_) {
            unloaded_ = true;
            UnloadMainForm(*this);
        }
    };
    if (!frmRilto_.Create(std::move(form))) {
        return false;
    }
    hotKeyRegistrar_.Attach(frmRilto_.hwnd());

    HookWindowEvents hook;
    hook.keyCommand = [this](int code) { core_.tray().KeyCommand(code); };
    hook.trayNotify = [this](unsigned event, POINT anchor) {
        core_.tray().IconNotify(event, TrayPoint{anchor.x, anchor.y});
    };
    hook.menuCommand = [this](int id) { trayMenu_.Execute(id); };
    // riltoctl: as the tray menu's items; the player is made after start-up.
    hook.controlRequest = [this](std::string_view request) {
        const auto exerciseNow = [this] { ExerciseNowOnceReady(); };
        const auto statistics = [this] { frmStatistics_.Show(); };
        return CarryOut(request, ControlDeskPorts{core_, exerciseNow, statistics});
    };
    if (!hookWindow_.Create(frmRilto_.hwnd(), std::move(hook))) {
        return false;
    }

    TrayMenuEvents menu;
    menu.options = [this] { LoadSettingsDialog(); };
    menu.status = [&scheduler] { scheduler.StatusRequested(); };
    menu.about = [this] { frmAbout_.Show(nullptr); };
    menu.statistics = [this] { frmStatistics_.Show(); };
    menu.micropauseNow = [this] { core_.MicropauseNow(); };
    // The player is made after start-up: a menu opened by a second start during the
    // first run's questions finds no break to start yet.
    menu.exerciseNow = [this] { ExerciseNowOnceReady(); };
    menu.scheme = [this](int, const std::string& name) {
        if (exerciseWindowsMade_) {
            core_.RunScheme(name);
        }
    };
    menu.readingMode = [this] { core_.SwitchReadingMode(); };
    menu.shutdown = [this] { ShutdownRilto(*this); };
    menu.pauseFor = [this](int minutes) { core_.PauseFor(minutes); };
    menu.pauseUntilTomorrow = [this] { core_.PauseUntilTomorrow(); };
    menu.resume = [this] { core_.Resume(); };
    trayMenu_.Create(std::move(menu));

    FrmDailyLimitEvents limit;
    limit.stopForToday = [this] { core_.StopForToday(); };
    limit.remindMeLater = [this] { core_.RemindMeLater(); };
    if (!frmDailyLimit_.Create(std::move(limit))) {
        return false;
    }

    tMinutes_.Attach(frmRilto_.hwnd(), [this] { core_.OnMinute(); });
    tSeconds_.Attach(frmRilto_.hwnd(), [this] { core_.OnSecond(); });
    tPause_.Attach(frmRilto_.hwnd(), [this] { core_.OnPauseTimer(); });
    tHold_.Attach(frmRilto_.hwnd(), [this] { core_.OnHoldTimer(); });
    tSchedule_.Attach(frmRilto_.hwnd(), [this] { core_.OnScheduleTimer(); });
    loop_.TakeKeys(frmRilto_, &FrmRilto::TranslateDialogMessage);
    loop_.TakeKeys(frmSettings_, &FrmSettings::TranslateDialogMessage);
    loop_.TakeKeys(frmAbout_, &FrmAboutTevrin::TranslateDialogMessage);
    loop_.TakeKeys(frmStatistics_, &FrmStatistics::TranslateDialogMessage);
    loop_.TakeKeys(frmDailyLimit_, &FrmDailyLimit::TranslateDialogMessage);
    return true;
}

// The player stays hidden until a break; the reminder until one is due.
bool RiltoApp::CreateExerciseWindows() {
    ExerciseBreakFlow& breaks = core_.breaks();
    FrmXEvents player;
    player.skip = [&breaks] { breaks.SkipExercise(); };
    player.endBreak = [&breaks] { breaks.EndBreak(); };
    player.previous = [&breaks] { breaks.LoadPrevExercise(); };
    player.toggleCountdown = [&breaks] { breaks.ToggleCountdown(); };
    player.stop = [&breaks] { breaks.StopRequested(); };
    if (!frmX_.Create(std::move(player))) {
        return false;
    }
    const bool hide = core_.settings().HideFromCapture;
    KeepOutOfCapture(frmX_.hwnd(), hide);
    FrmChkExerciseEvents reminder;
    reminder.exerciseNow = [&breaks] { return breaks.ExerciseNowFromReminder(); };
    reminder.later = [&breaks](const std::string& minutes) { breaks.Later(minutes); };
    reminder.closed = [&breaks] { breaks.ReminderClosed(); };
    loop_.TakeKeys(frmX_, &FrmX::PreTranslate);
    loop_.TakeKeys(frmChkExercise_, &FrmChkExercise::TranslateDialogMessage);
    if (!frmChkExercise_.Create(std::move(reminder))) {
        return false;
    }
    KeepOutOfCapture(frmChkExercise_.hwnd(), hide);
    return true;
}

// Loaded once and kept hidden; the tray shows it.
bool RiltoApp::SettingsDialogReady() {
    if (frmSettings_.hwnd() != nullptr) {
        return true;
    }
    if (!frmSettings_.Create()) {
        Trace("cannot make the settings dialog");
        return false;
    }
    return true;
}

void RiltoApp::LoadSettingsDialog() {
    if (SettingsDialogReady()) {
        core_.settingsDialog().LoadMeUp();
    }
}

bool RiltoApp::ShowTrayMenu(std::optional<TrayPoint> at) {
    trayMenu_.Load(core_.TrayMenu());
    std::optional<POINT> place;
    if (at) {
        place = POINT{at->x, at->y};
    }
    return trayMenu_.Show(frmRilto_.hwnd(), hookWindow_.hwnd(), place);
}

void RiltoApp::ExerciseNowOnceReady() {
    if (exerciseWindowsMade_) {
        core_.ExerciseNow();
    }
}

void RiltoApp::ShowHotKeyStates() {
    const std::string lines = HotKeyStatusLines(hotKeys_.States());
    frmRilto_.Panel().SetCaption(PanelItem::lblHotKeys, lines);
    frmRilto_.Panel().SetVisible(PanelItem::lblHotKeys, !lines.empty());
    frmSettings_.ShowHotKeyStates(hotKeys_.States());
}

void RiltoApp::ShowNotice(const char* text) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(kProductTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void RiltoApp::ShowVersion(const std::string& label) {
    frmRilto_.Panel().SetCaption(PanelItem::lblVersion, label);
}

std::uint32_t RiltoApp::HookWindowHandle() {
    return ValueOfHandle(hookWindow_.hwnd());
}

void RiltoApp::FirstTimeInitialise() {
    WinFirstRunHost host;
    rilto::FirstTimeInitialise(store_, host);
}

void RiltoApp::LayOutMicropauseScreen() {
    frmRilto_.BindProgressBar(core_.progressBar());
}

void RiltoApp::ShowWarning(const std::string& text) {
    frmRilto_.Panel().SetCaption(PanelItem::lblWarning, text);
}

void RiltoApp::AddTrayIcon() {
    trayIcon_.Add(hookWindow_.hwnd(), frmRilto_.hwnd(),
                  core_.statistics().Today()[DayCount::micropauses]);
}

void RiltoApp::HideMainForm() {
    frmRilto_.HideForm();
}

std::string RiltoApp::ProgramFolder() {
    return programFolder_;
}

void RiltoApp::SaveStatistics() {
    core_.statistics().Flush();
}

void RiltoApp::SwitchOffRecording(int kind) {
    hook_.InstallFilter(kind, kFilterOff);
}

void RiltoApp::DeleteTrayIcon() {
    trayIcon_.Delete();
}

void RiltoApp::ClearPublishedHandle() {
    store_.SaveSetting(kOptions, kTrayValue, "0");
}

void RiltoApp::CloseVideoDevice() {
    frmX_.CloseVideo();
    // The quick ways out end the process without unloading the settings dialog.
    frmSettings_.ClosePreview();
}

void RiltoApp::UnloadPlayer() {
    frmX_.ClosePlayer();
}

void RiltoApp::UnloadSettingsDialog() {
    frmSettings_.Hide();
}

void RiltoApp::EndProcess() {
    // ExitProcess runs no destructors.
    hotKeys_.Release();
    ExitProcess(0);
}

void RiltoApp::ShowPausedUntil(const std::string& until) {
    trayIcon_.SetPausedUntil(until);
}

void RiltoApp::ShowOffHours(const OffHoursShown& offHours) {
    trayIcon_.SetOffHours(offHours);
}

void RiltoApp::ShowMicropausesToday(int count) {
    trayIcon_.SetMicropausesToday(count);
}

void RiltoApp::ShowReadingMode(bool on) {
    trayIcon_.SetReadingMode(on);
}

void RiltoApp::FiguresWritten() {
    if (frmStatistics_.IsOpen()) {
        frmStatistics_.Refresh();
    }
}

}  // namespace rilto
