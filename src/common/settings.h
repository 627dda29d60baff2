#pragma once
// The options the program works from, loaded from the store at start-up and
// changed only by the settings dialog. Switches are plain bools here; the store
// keeps them as "1"/"0".

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/hot_key_text.h"
#include "common/product.h"
#include "common/texts.h"

namespace rilto {

inline constexpr char kDefaultScheme[] = "*Medium break";
inline constexpr std::size_t kDaysInWeek = 7;

// Each option starts at its default, as the table of options gives it.
struct Settings {
    Settings();

    // "Micropause"
    std::int32_t InterruptFor = 0;    // seconds
    std::int32_t InterruptEvery = 0;  // minutes
    bool IntelliReset = false;
    bool Audible = false;
    std::string WarningSound;
    bool AudiblePre = false;
    std::string WarningSoundPre;
    bool DisableEsc = false;  // stored DisableEsc, or DisableEsc2 set from outside
    bool Blank = false;
    std::string Warning;
    std::array<bool, kInputKinds> Monitor{};
    // Micropauses that may be skipped in a day; 0: any number.
    std::int32_t SkipsPerDay = 0;

    // "Exercise"
    std::string Scheme;
    std::int32_t EveryM = 0;  // minutes; 0: exercise breaks never come
    bool AudibleX = false;
    std::string WarningSoundX;
    bool BlankX = false;
    std::int32_t ViewAm = 0;  // video size 0..4
    std::int32_t xStart = 0;  // 0: from the beginning, otherwise from a random point
    std::int32_t NumAtaTime = 0;
    // Minutes without input (or locked, or asleep) that count as an exercise break.
    std::int32_t AwayM = 0;
    // The reminder's "Later" for one break at most this often; 0: any number.
    std::int32_t LaterPerBreak = 0;

    // "Hold": breaks wait while the user presents, plays, works full screen or is on a call.
    bool FullScreen = false;    // full-screen programs, presentations and Focus Assist
    std::int32_t MaxM = 0;      // minutes a break waits at most
    std::string Programs;       // program file names, separated by ";"
    bool Calls = false;         // a program using the microphone or the camera
    std::string IgnoreDevices;  // program file or package names whose calls hold nothing

    // "Schedule": breaks only in the working hours, when on. Each weekday's ranges,
    // Monday first, as typed: "hh:mm-hh:mm" separated by ","; empty is a day off.
    bool ScheduleOn = false;
    std::array<std::string, kDaysInWeek> Hours;

    // "DailyLimit": a word when the day's active minutes reach the limit.
    bool LimitOn = false;
    std::int32_t LimitM = 0;

    // "Hotkeys": a global hot key per command, as "Ctrl+Alt+M"; empty for none.
    std::array<std::string, kHotKeyCommands> Hotkeys;

    // "Options"
    bool HideFromCapture = false;  // break screens ask to be left out of screen capture
    bool ReadingMode = false;      // time without input is work, not rest
};

}  // namespace rilto
