#pragma once
// Every option of "Micropause", "Exercise", "Hold", "Schedule", "DailyLimit" and "Hotkeys",
// described once:
// its key, its default, the range a stored number is kept within, and how the settings dialog shows
// it. Loading, the dialog's pages and spin buttons, and Apply all read this one table; its order is
// the order in which Apply writes the options.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/settings.h"

namespace rilto {

// The options in the order Apply writes them. DisableEsc2 is set from outside the program
// and never written; HideFromCapture and ReadingMode are kept outside the settings dialog.
enum class Option {
    InterruptFor,
    InterruptEvery,
    Audible,
    WarningSound,
    AudiblePre,
    WarningSoundPre,
    Blank,
    Warning,
    DisableEsc,
    IntelliReset,
    Monitor0,
    Monitor1,
    AudibleX,
    EveryM,
    WarningSoundX,
    BlankX,
    ViewAm,
    Scheme,
    xStart,
    NumAtaTime,
    AwayM,
    SkipsPerDay,
    LaterPerBreak,
    FullScreen,
    MaxM,
    Programs,
    Calls,
    IgnoreDevices,
    ScheduleOn,
    HoursMon,
    HoursTue,
    HoursWed,
    HoursThu,
    HoursFri,
    HoursSat,
    HoursSun,
    LimitOn,
    LimitM,
    HotkeyMicropauseNow,
    HotkeyExerciseNow,
    HotkeyPause,
    HotkeySkip,
    HotkeyStatistics,
    HideFromCapture,
    ReadingMode,
    DisableEsc2,
    Count
};
inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(Option::Count);

// A range of whole numbers, both ends included.
struct NumberRange {
    std::int32_t min;
    std::int32_t max;
};
// Whole minutes far beyond any real use, small enough that countdown arithmetic
// (interval changes, decrements, the label's "minus one") can never overflow.
inline constexpr std::int32_t kMaxMinutes = 1'000'000;
// Seconds whose length in milliseconds still fits a 32-bit timer interval.
inline constexpr std::int32_t kMaxSeconds = 2'147'483;
inline constexpr NumberRange kAnyNumber{INT32_MIN, INT32_MAX};

enum class OptionKind {
    Number,  // decimal text
    Switch,  // "1" or "0"; any number but 0 is on
    Text,    // as it stands
};

// How the settings dialog shows an option, and what Apply makes of what it holds.
enum class OptionBox {
    None,        // not on the pages: Apply writes the value in effect
    Clamped,     // a number box: a number outside `box` shows its nearest end
    Count,       // a number box: any number the program can hold, 0 included
    Check,       // a check box
    List,        // a drop-down list: the position
    StartPoint,  // "from the beginning" / "from a randomly selected point"
    Text,        // a text box
    Hours,       // a text box of time ranges: Apply keeps one it cannot read from the store
    HotKey,      // a text box of a hot key: Apply writes one it reads as the program writes it
};

// Where an option lives in the options in effect. Exactly one accessor is set, after
// the option's kind; none for an option that is only read from the store when needed.
struct OptionField {
    std::int32_t* (*number)(Settings&) = nullptr;
    bool* (*on)(Settings&) = nullptr;
    std::string* (*text)(Settings&) = nullptr;
};

struct OptionRow {
    Option option;
    const char* section;
    const char* key;
    OptionKind kind;
    std::int32_t numberDefault;  // numbers and switches
    const char* textDefault;     // texts
    NumberRange stored;          // a stored number is clamped to this
    OptionBox box;
    NumberRange boxRange;  // Clamped boxes: what Apply keeps them within
    NumberRange spin;      // number boxes: the spin buttons' range
    bool written;          // Apply writes it
    OptionField field;
};

// The row of one option; the table of all, in Apply's order.
const OptionRow& RowOf(Option option);
const std::array<OptionRow, kOptionCount>& AllOptions();

// The option's value in effect, as the store keeps it: numbers as decimal text, switches
// "1"/"0", texts as they stand.
std::string StoredText(const OptionRow& row, const Settings& settings);

}  // namespace rilto
