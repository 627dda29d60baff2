#pragma once
// Every text the program shows its user, in one place. Captions follow the label
// rule of Windows: "&" marks an access key and "&&" shows as one ampersand.
// (The tray menu's captions are in its resource script.)

namespace rilto {

// The micropause message until the user sets one of their own.
inline constexpr char kDefaultWarning[] = "Hands off Keyboard && Mouse, look away, relax.";

// A second start that cannot reach the running copy.
inline constexpr char kAlreadyRunning[] = "Rilto Micropause is already running in the System Tray";
inline constexpr char kAlreadyRunningTitle[] = "Rilto";

inline constexpr char kNoHookLibrary[] =
    "Rilto Micropause cannot watch your keyboard and mouse use: the library rsiorril.dll "
    "is missing from the program folder or cannot be loaded.\n\n"
    "Micropauses still come on time, but natural micropauses cannot be recognised. "
    "Reinstalling the program brings the library back.";

inline constexpr char kCannotStart[] =
    "Rilto Micropause cannot start: Windows refused to create its windows.\n\n"
    "Closing other programs or signing out and in again may help.";

// A pause of the breaks: the tray menu's item that ends it, and the tray's tip meanwhile,
// each followed by the time it ends and, for the item, ")".
inline constexpr char kResumeBefore[] = "&Resume (paused until ";
inline constexpr char kResumeAfter[] = ")";
inline constexpr char kPausedTipBefore[] = "Rilto Micropause: paused until ";
// Off hours: the tray's tip, and the tray menu's greyed line, each followed by " until "
// and the next start, "Mon 09:00", when one comes.
inline constexpr char kOffHoursTip[] = "Rilto Micropause: off hours";
inline constexpr char kOffHoursLine[] = "Off hours";
inline constexpr char kOffHoursUntil[] = " until ";
// "Rilto Micropause: 12 micropauses today", "...: 1 micropause today".
inline constexpr char kTodayTipBefore[] = "Rilto Micropause: ";
inline constexpr char kTodayTipOne[] = " micropause today";
inline constexpr char kTodayTipMany[] = " micropauses today";
// Reading mode, added to whatever the tip says: "Rilto Micropause: 3 micropauses today,
// reading mode", or "Rilto Micropause: reading mode" when it says nothing else.
inline constexpr char kReadingModeTip[] = "reading mode";
inline constexpr char kReadingModeTipAfter[] = ", ";

// The status labels of the micropause screen, and what the program writes into them.
inline constexpr char kNextExerciseBreakCaption[] = "Next Exercise Break:";
inline constexpr char kNextExerciseBreak[] = "Next Exercise Break: ";
inline constexpr char kMinutesSuffix[] = " minutes";
inline constexpr char kExerciseBreaksOff[] = "Next Exercise Break: off";
inline constexpr char kLastNaturalMicropause[] = "Last natural micropause: ";
// After the diagnostic numbers: how often the activity hooks were installed again.
inline constexpr char kHooksInstalledAgain[] = "; hooks installed again: ";
inline constexpr char kLastRiltoMicropause[] = "Last rilto micropause: ";

// The rest of the micropause screen.
inline constexpr char kWarningCaption[] = "Hands off keyboard && mouse. Look away. Relax.";
inline constexpr char kEscapeHint[] =
    "While not recommended, you can press ESC or double click here to continue";
// In the skip hint's place once today's skips reach SkipsPerDay.
inline constexpr char kNoSkipsLeftToday[] = "No skips left today";
inline constexpr char kOkCaption[] = "&OK";
inline constexpr char kCancelCaption[] = "Cancel";

// Exercise breaks: the label while one runs and the player's question. The reminder's
// texts are in its template, frm_chk_exercise.rc.
inline constexpr char kExerciseInProgress[] = "Next Exercise Break: In Progress";
inline constexpr char kPlayerCaption[] = "Exercises";
inline constexpr char kQuitExerciseQuestion[] = "Are you sure you want to quit the exercise break?";
inline constexpr char kQuitExerciseTitle[] = "Rilto Exercise Break";
inline constexpr char kPreviousTip[] = "Previous exercise";
inline constexpr char kNextTip[] = "Next exercise";
inline constexpr char kPlayTip[] = "Play";
inline constexpr char kPauseTip[] = "Pause";
inline constexpr char kStopTip[] = "Stop";

// The first-run check of the exercise media.
inline constexpr char kMissingMediaTitle[] = "Rilto Micropause: exercise files missing";
inline constexpr char kMissingMediaIntro[] =
    "Some exercise videos and pictures that your exercise schemes use are not in the "
    "program folder";
inline constexpr char kMissingMediaMore[] = "and more: ";
inline constexpr char kMissingMediaAdvice[] =
    "Exercise breaks still run, but these exercises show an empty window for their "
    "time.\n\nTo get the files back, install Rilto Micropause again: your settings and "
    "schemes are kept. Or, in Rilto Options, take these exercises out of your schemes.";

// riltoctl: its usage, what it says on standard error, and the running copy's "status",
// one fact a line.
inline constexpr char kControlUsage[] =
    "Usage: riltoctl COMMAND\n"
    "Commands to the running Rilto Micropause, names in any case:\n"
    "  pause MINUTES   pause the breaks for 1 to 1440 minutes\n"
    "  pause tomorrow  pause the breaks until midnight\n"
    "  resume          end a pause\n"
    "  micropause      a micropause now\n"
    "  exercise        an exercise break now\n"
    "  statistics      open the statistics window\n"
    "  status          the next breaks, the pause, holds and today's figures\n"
    "  help            this text\n"
    "Exit codes: 0 done, 1 Rilto Micropause is not running, 2 a command or argument\n"
    "riltoctl does not know.\n";
inline constexpr char kControlUnknown[] = "riltoctl: unknown command or argument\n";
inline constexpr char kControlNotRunning[] = "riltoctl: Rilto Micropause is not running\n";
inline constexpr char kControlNoAnswer[] = "riltoctl: Rilto Micropause does not answer\n";
inline constexpr char kControlRefused[] =
    "riltoctl: the running Rilto Micropause does not take this command\n";
inline constexpr char kStatusNextMicropause[] = "next micropause in ";
inline constexpr char kStatusMicropauseOff[] = "next micropause off";
inline constexpr char kStatusMicropauseOnScreen[] = "micropause on screen";
inline constexpr char kStatusMicropauseDue[] = "next micropause due";
inline constexpr char kStatusMicropauseAfterExercise[] = "next micropause after the exercise break";
inline constexpr char kStatusNextExercise[] = "next exercise break in ";
inline constexpr char kStatusMinute[] = " minute";
inline constexpr char kStatusMinutes[] = " minutes";
inline constexpr char kStatusExerciseOff[] = "next exercise break off";
inline constexpr char kStatusExerciseInProgress[] = "exercise break in progress";
inline constexpr char kStatusExerciseDue[] = "exercise break due";
inline constexpr char kStatusPausedUntil[] = "paused until ";
inline constexpr char kStatusNotPaused[] = "not paused";
inline constexpr char kStatusHeld[] = "breaks held";
inline constexpr char kStatusHeldFullScreen[] = "breaks held: a full-screen window";
inline constexpr char kStatusHeldNotifications[] =
    "breaks held: Windows is in a presentation or game";
inline constexpr char kStatusHeldFocusAssist[] = "breaks held: Focus Assist";
inline constexpr char kStatusHeldProgram[] = "breaks held: a program of the hold list";
inline constexpr char kStatusHeldCall[] = "breaks held: a call";
inline constexpr char kStatusOffHours[] = "off hours";
inline constexpr char kStatusReadingMode[] = "reading mode on";
// "micropauses today: 12 taken, 2 skipped, 3 natural"
inline constexpr char kStatusToday[] = "micropauses today: ";
inline constexpr char kStatusTaken[] = " taken, ";
inline constexpr char kStatusSkipped[] = " skipped, ";
inline constexpr char kStatusNatural[] = " natural";
// Global hot keys that are not in use: a line each on the status window, "Hot key " and the
// key with what keeps it out of use, and beside the key's box on the settings page "Keys".
inline constexpr char kHotKeyBefore[] = "Hot key ";
inline constexpr char kHotKeyRefused[] = " is used by another program";
inline constexpr char kHotKeyRepeated[] = " is given to two commands";
inline constexpr char kHotKeyUnreadable[] = " cannot be read: ";
inline constexpr char kHotKeyRefusedBox[] = "Used by another program";
inline constexpr char kHotKeyRepeatedBox[] = "Given to another command too";
inline constexpr char kHotKeyUnreadableBox[] = "Cannot be read";

}  // namespace rilto
