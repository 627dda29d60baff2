#include "shell/rilto_app_win.h"

#include <cstdlib>

#include "common/dialog_win.h"
#include "common/hook_window_address_win.h"
#include "common/minute.h"
#include "common/product.h"
#include "common/program_folder_win.h"
#include "common/resource_ids.h"
#include "common/texts.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "shell/first_run.h"
#include "shell/first_run_host_win.h"
#include "shell/single_instance_win.h"

namespace rilto {

RiltoApp::RiltoApp()
    : minuteMs_(MinuteFromText(std::getenv(kMinuteVariable))),
      tMinutes_("tMinutes"),
      tSeconds_("tSeconds"),
      trayRetry_("tray icon retry"),
      tPause_("tPause"),
      tHold_("tHold"),
      // Told from the hook window's procedure, so that a menu or message box open at
      // the time does not swallow the notice.
      hook_([this] { hookWindow_.Post([this] { ShowNotice(kNoHookLibrary); }); }),
      sounds_(sound_, settings_, rilto::ProgramFolder()),
      scheduler_(SchedulerPorts{settings_, tMinutes_, tSeconds_, hook_, systemInput_, clock_,
                                progressBar_, sounds_, frmRilto_, minuteMs_}),
      holdGate_(settings_, holdProbe_, tHold_, clock_, minuteMs_),
      pause_(store_, clock_, tPause_),
      statistics_(store_, clock_),
      frmX_(settings_, rilto::ProgramFolder()),
      random_(static_cast<std::mt19937::result_type>(GetTickCount()) ^
              static_cast<std::mt19937::result_type>(GetCurrentProcessId())),
      exerciseFlow_(ExerciseBreakPorts{
          store_, settings_, exercises_, scheduler_, sounds_, frmX_, frmChkExercise_,
          [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }}),
      frmSettings_(
          FrmSettingsPorts{settings_, sounds_, rilto::ProgramFolder(),
                           [this](const std::function<bool()>& busy) { WaitWhile(busy); }}),
      frmStatistics_([this] { return statistics_.StoredDays(); },
                     [this] { return statistics_.TodayDate(); }),
      settingsDialog_(SettingsDialogPorts{
          settings_, store_, scheduler_, hook_, exerciseFlow_, frmSettings_,
          [this](const std::string& text) { ShowWarning(text); }, rilto::ProgramFolder()}),
      tray_(TrayActions{[this] { LoadSettingsDialog(); },
                        [this](std::optional<TrayPoint> at) { return ShowTrayMenu(at); },
                        [this] { ShutdownNow(*this); },
                        [this] {
                            if (trayIcon_) {
                                trayIcon_->ReturnFocus();
                            }
                        }}) {
    scheduler_.SetExerciseFlow(exerciseFlow_);
    scheduler_.SetHoldGate(holdGate_);
    scheduler_.SetPause(pause_);
    scheduler_.SetDayCounter(statistics_);
    statistics_.OnChange([this] { ShowTodayInTray(); });
    pause_.OnChange([this] {
        scheduler_.PauseChanged();
        ShowPauseInTray();
    });
    frmSettings_.Attach(settingsDialog_);
}

int RiltoApp::Run(const std::string& arguments) {
    const SingleInstance instance;
    const StartDecision start = DecideStart(instance.AlreadyRunning(), arguments, store_);
    switch (start.kind) {
        case StartKind::EndAtOnce:
            return 0;
        case StartKind::AlreadyRunning:
            MessageBoxW(nullptr, Widen(kAlreadyRunning).c_str(),
                        Widen(kAlreadyRunningTitle).c_str(), MB_OK);
            return 0;
        case StartKind::HandOver:
            HandOver(start);
            return 0;
        case StartKind::RunHere:
            break;
    }
    if (!CreateWindows()) {
        ShowNotice(kCannotStart);
        return 1;
    }
    RunStartup(StartupParts{store_, settings_, exercises_, scheduler_, hook_, *this});
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
    // A pause from before the start goes on, if it has not ended meanwhile.
    pause_.Check();
    return MessageLoop();
}

void RiltoApp::HandOver(const StartDecision& start) {
    const HWND target = RunningCopyWindow(start.handle);
    if (target == nullptr) {
        MessageBoxW(nullptr, Widen(kAlreadyRunning).c_str(), Widen(kAlreadyRunningTitle).c_str(),
                    MB_OK);
        return;
    }
    // This start has the foreground; the running copy needs it for the menu it opens,
    // which otherwise would neither close on an outside click nor take keys.
    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    AllowSetForegroundWindow(processId);
    // Waits until the running copy has handled it: for the menu, until it closes.
    SendMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(start.keyCode), 0);
}

bool RiltoApp::CreateWindows() {
    FrmRiltoEvents form;
    form.escapePressed = [this] { scheduler_.EscapePressed(); };
    form.statusOk = [this] { scheduler_.StatusOk(); };
    form.closeRequested = [this] { scheduler_.CloseRequested(); };
    form.skipRequested = [this] { scheduler_.Skip(); };
    form.diagnosticsRequested = [this] { scheduler_.ShowDiagnostics(); };
    // Explorer restarted: its new taskbar has none of the old icons.
    form.taskbarCreated = [this] {
        if (trayIcon_) {
            AddTrayIcon();
        }
    };
    form.suspending = [this] { scheduler_.Suspending(); };
    form.resumed = [this] {
        scheduler_.Resumed();
        pause_.Check();
    };
    form.sessionLocked = [this] { scheduler_.SessionLocked(); };
    form.sessionUnlocked = [this] { scheduler_.SessionUnlocked(); };
    form.sessionEnding = [this] {
        if (!unloaded_) {
            unloaded_ = true;
            UnloadMainForm(*this);
        }
    };
    if (!frmRilto_.Create(std::move(form))) {
        return false;
    }

    HookWindowEvents hook;
    hook.keyCommand = [this](int code) { tray_.KeyCommand(code); };
    hook.trayNotify = [this](unsigned event, POINT anchor) {
        tray_.IconNotify(event, TrayPoint{anchor.x, anchor.y});
    };
    hook.menuCommand = [this](int id) { trayMenu_.Execute(id); };
    if (!hookWindow_.Create(frmRilto_.hwnd(), std::move(hook))) {
        return false;
    }

    TrayMenuEvents menu;
    menu.options = [this] { LoadSettingsDialog(); };
    menu.status = [this] { scheduler_.StatusRequested(); };
    menu.about = [this] { frmAbout_.Show(nullptr); };
    menu.statistics = [this] { frmStatistics_.Show(); };
    menu.micropauseNow = [this] { scheduler_.RiltoMicropause(); };
    // The player is made after start-up: a menu opened by a second start during the
    // first run's questions finds no break to start yet.
    menu.exerciseNow = [this] {
        if (exerciseWindowsMade_) {
            exerciseFlow_.ExerciseNowFromTray();
        }
    };
    menu.scheme = [this](int, const std::string& name) {
        if (exerciseWindowsMade_) {
            exerciseFlow_.RunScheme(name);
            settingsDialog_.SchemeInUseChanged();
        }
    };
    menu.shutdown = [this] { ShutdownRilto(*this); };
    menu.pauseFor = [this](int minutes) { pause_.For(minutes); };
    menu.pauseUntilTomorrow = [this] { pause_.UntilTomorrow(); };
    menu.resume = [this] { pause_.Resume(); };
    trayMenu_.Create(std::move(menu));

    // The day's figures are written with the minute, when they changed: a crash loses a
    // minute at most.
    tMinutes_.Attach(frmRilto_.hwnd(), [this] {
        scheduler_.MinuteTick();
        statistics_.Flush();
        if (frmStatistics_.IsOpen()) {
            frmStatistics_.Refresh();
        }
    });
    tSeconds_.Attach(frmRilto_.hwnd(), [this] { scheduler_.SecondsTick(); });
    trayRetry_.Attach(frmRilto_.hwnd(), [this] { RetryTrayIcon(); });
    tPause_.Attach(frmRilto_.hwnd(), [this] { pause_.Check(); });
    tHold_.Attach(frmRilto_.hwnd(), [this] { holdGate_.Look(); });
    return true;
}

// The player stays hidden until a break; the reminder until one is due.
bool RiltoApp::CreateExerciseWindows() {
    FrmXEvents player;
    player.skip = [this] { exerciseFlow_.SkipExercise(); };
    player.endBreak = [this] { exerciseFlow_.EndBreak(); };
    player.previous = [this] { exerciseFlow_.LoadPrevExercise(); };
    player.toggleCountdown = [this] { exerciseFlow_.ToggleCountdown(); };
    player.stop = [this] { exerciseFlow_.StopRequested(); };
    if (!frmX_.Create(std::move(player))) {
        return false;
    }
    FrmChkExerciseEvents reminder;
    reminder.exerciseNow = [this] { return exerciseFlow_.ExerciseNowFromReminder(); };
    reminder.later = [this](const std::string& minutes) { exerciseFlow_.Later(minutes); };
    reminder.closed = [this] { exerciseFlow_.ReminderClosed(); };
    return frmChkExercise_.Create(std::move(reminder));
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
        settingsDialog_.LoadMeUp();
    }
}

void RiltoApp::Dispatch(MSG& msg) {
    if (frmX_.PreTranslate(&msg) || frmChkExercise_.TranslateDialogMessage(&msg) ||
        frmSettings_.TranslateDialogMessage(&msg) || frmAbout_.TranslateDialogMessage(&msg) ||
        frmStatistics_.TranslateDialogMessage(&msg) || frmRilto_.TranslateDialogMessage(&msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int RiltoApp::MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        Dispatch(msg);
    }
    return 0;
}

// The program goes on meanwhile: its timers tick and its windows paint. Nothing spins:
// the thread sleeps until a message comes.
void RiltoApp::WaitWhile(const std::function<bool()>& busy) {
    const BusyCursor hourglass;
    MSG msg;
    while (busy()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // The main loop ends the program.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Dispatch(msg);
    }
}

bool RiltoApp::ShowTrayMenu(std::optional<TrayPoint> at) {
    TrayFeatures features;
    features.settingsDialog = true;
    features.aboutBox = true;
    features.exerciseBreaks = true;
    TrayMenuContent content = LoadTrayMenu(store_, features);
    content.pausedUntil = pause_.UntilText();
    trayMenu_.Load(content);
    std::optional<POINT> place;
    if (at) {
        place = POINT{at->x, at->y};
    }
    return trayMenu_.Show(frmRilto_.hwnd(), hookWindow_.hwnd(), place);
}

void RiltoApp::ShowPauseInTray() {
    if (trayIcon_) {
        trayIcon_->SetPausedUntil(pause_.UntilText());
    }
}

void RiltoApp::ShowTodayInTray() {
    if (trayIcon_) {
        trayIcon_->SetMicropausesToday(statistics_.Today()[DayCount::micropauses]);
    }
}

void RiltoApp::RetryTrayIcon() {
    if (trayIcon_->Add() || !trayIconRetry_.AnotherAttempt()) {
        trayRetry_.SetEnabled(false);
    }
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
    ProgressCanvasWindow& picPB = frmRilto_.Panel().Canvas();
    canvas_ = std::make_unique<GdiProgressCanvas>(picPB.hwnd());
    progressBar_.SetCanvas(canvas_.get());
    picPB.OnPaint([this](HDC dc) { PaintProgressBar(progressBar_, *canvas_, dc); });
    // The bar's blocks follow the canvas's width (a new DPI); without this the bar
    // would look full long before the micropause ends.
    picPB.OnResize([this] { progressBar_.ResizeEx(); });
    frmRilto_.SetVisible(ViewControl::picPB, false);
}

void RiltoApp::ShowWarning(const std::string& text) {
    frmRilto_.Panel().SetCaption(PanelItem::lblWarning, text);
}

void RiltoApp::AddTrayIcon() {
    if (!icon_) {
        icon_ = LoadTrayIcon(ThisModule(), IDI_RILTO);
        trayIcon_ = std::make_unique<TrayIcon>(hookWindow_.hwnd(), icon_.get());
        trayIcon_->SetMicropausesToday(statistics_.Today()[DayCount::micropauses]);
        SendMessageW(frmRilto_.hwnd(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(icon_.get()));
    }
    if (trayIcon_->Add()) {
        trayRetry_.SetEnabled(false);
        return;
    }
    trayIconRetry_.FirstFailed();
    trayRetry_.SetInterval(TrayIconRetry::kIntervalMs);
    trayRetry_.SetEnabled(true);
}

void RiltoApp::HideMainForm() {
    frmRilto_.HideForm();
}

std::string RiltoApp::ProgramFolder() {
    return rilto::ProgramFolder();
}

void RiltoApp::SaveStatistics() {
    statistics_.Flush();
}

void RiltoApp::SwitchOffRecording(int kind) {
    hook_.InstallFilter(kind, kFilterOff);
}

void RiltoApp::DeleteTrayIcon() {
    if (trayIcon_) {
        trayIcon_->Delete();
    }
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
    ExitProcess(0);
}

}  // namespace rilto
