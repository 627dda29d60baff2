#include "common/options.h"

#include <type_traits>

#include "common/product.h"

namespace rilto {

namespace {

template <auto Member>
constexpr OptionField FieldOf() {
    using T = std::remove_reference_t<decltype(std::declval<Settings&>().*Member)>;
    OptionField f;
    if constexpr (std::is_same_v<T, std::int32_t>) {
        f.number = [](Settings& s) { return &(s.*Member); };
    } else if constexpr (std::is_same_v<T, bool>) {
        f.on = [](Settings& s) { return &(s.*Member); };
    } else {
        static_assert(std::is_same_v<T, std::string>);
        f.text = [](Settings& s) { return &(s.*Member); };
    }
    return f;
}

template <std::size_t Day>
constexpr OptionField HoursField() {
    OptionField f;
    f.text = [](Settings& s) { return &s.Hours[Day]; };
    return f;
}

template <HotKeyCommand Command>
constexpr OptionField HotkeyField() {
    OptionField f;
    f.text = [](Settings& s) { return &s.Hotkeys[static_cast<std::size_t>(Command)]; };
    return f;
}

template <std::int32_t Kind>
constexpr OptionField MonitorField() {
    OptionField f;
    f.on = [](Settings& s) { return &s.Monitor[Kind]; };
    return f;
}

constexpr NumberRange kNoRange{0, 0};
constexpr char kDefaultWorkingHours[] = "09:00-17:00";

constexpr OptionRow Number(Option option, const char* section, const char* key, std::int32_t def,
                           NumberRange stored, OptionBox box, NumberRange boxRange,
                           NumberRange spin, OptionField field) {
    return OptionRow{option, section, key,  OptionKind::Number, def, "", stored, box, boxRange,
                     spin,   true,    field};
}

constexpr OptionRow Switch(Option option, const char* section, const char* key, bool def,
                           OptionField field) {
    return OptionRow{option,   section,          key,      OptionKind::Switch, def ? 1 : 0, "",
                     kNoRange, OptionBox::Check, kNoRange, kNoRange,           true,        field};
}

// A switch Apply never writes.
constexpr OptionRow Kept(Option option, const char* section, const char* key, bool def,
                         OptionField field) {
    return OptionRow{option,   section,         key,      OptionKind::Switch, def ? 1 : 0, "",
                     kNoRange, OptionBox::None, kNoRange, kNoRange,           false,       field};
}

constexpr OptionRow Text(Option option, const char* section, const char* key, const char* def,
                         OptionBox box, OptionField field) {
    return OptionRow{option,   section, key,      OptionKind::Text, 0,    def,
                     kNoRange, box,     kNoRange, kNoRange,         true, field};
}

constexpr std::array<OptionRow, kOptionCount> kOptionTable{{
    // "Micropause"
    Number(Option::InterruptFor, kMicropause, "InterruptFor", 15, {1, kMaxSeconds},
           OptionBox::Clamped, {3, 60}, {3, 60}, FieldOf<&Settings::InterruptFor>()),
    Number(Option::InterruptEvery, kMicropause, "InterruptEvery", 4, {1, kMaxMinutes},
           OptionBox::Clamped, {2, 999}, {2, 99}, FieldOf<&Settings::InterruptEvery>()),
    Switch(Option::Audible, kMicropause, "Audible", true, FieldOf<&Settings::Audible>()),
    Text(Option::WarningSound, kMicropause, "WarningSound", "", OptionBox::None,
         FieldOf<&Settings::WarningSound>()),
    Switch(Option::AudiblePre, kMicropause, "AudiblePre", true, FieldOf<&Settings::AudiblePre>()),
    Text(Option::WarningSoundPre, kMicropause, "WarningSoundPre", "", OptionBox::None,
         FieldOf<&Settings::WarningSoundPre>()),
    Switch(Option::Blank, kMicropause, "Blank", true, FieldOf<&Settings::Blank>()),
    Text(Option::Warning, kMicropause, "Warning", kDefaultWarning, OptionBox::Text,
         FieldOf<&Settings::Warning>()),
    Switch(Option::DisableEsc, kMicropause, "DisableEsc", false, FieldOf<&Settings::DisableEsc>()),
    Switch(Option::IntelliReset, kMicropause, "IntelliReset", true,
           FieldOf<&Settings::IntelliReset>()),
    Switch(Option::Monitor0, kMicropause, "Monitor0", true, MonitorField<kKeyboard>()),
    Switch(Option::Monitor1, kMicropause, "Monitor1", true, MonitorField<kMouse>()),
    // "Exercise"
    Switch(Option::AudibleX, kExercise, "AudibleX", true, FieldOf<&Settings::AudibleX>()),
    Number(Option::EveryM, kExercise, "EveryM", 50, {0, kMaxMinutes}, OptionBox::Count, kNoRange,
           {1, 999}, FieldOf<&Settings::EveryM>()),
    Text(Option::WarningSoundX, kExercise, "WarningSoundX", "", OptionBox::None,
         FieldOf<&Settings::WarningSoundX>()),
    Switch(Option::BlankX, kExercise, "BlankX", true, FieldOf<&Settings::BlankX>()),
    Number(Option::ViewAm, kExercise, "ViewAm", 0, {0, 4}, OptionBox::List, kNoRange, kNoRange,
           FieldOf<&Settings::ViewAm>()),
    Text(Option::Scheme, kExercise, "Scheme", kDefaultScheme, OptionBox::None,
         FieldOf<&Settings::Scheme>()),
    Number(Option::xStart, kExercise, "xStart", 0, kAnyNumber, OptionBox::StartPoint, kNoRange,
           kNoRange, FieldOf<&Settings::xStart>()),
    Number(Option::NumAtaTime, kExercise, "NumAtaTime", 6, {0, 9999}, OptionBox::Count, kNoRange,
           {1, 99}, FieldOf<&Settings::NumAtaTime>()),
    Number(Option::AwayM, kExercise, "AwayM", 10, {1, 120}, OptionBox::Clamped, {1, 120}, {1, 120},
           FieldOf<&Settings::AwayM>()),
    // Limits the user sets on themselves, 0 for none: micropauses skipped a day, and the
    // reminder's "Later" for one exercise break.
    Number(Option::SkipsPerDay, kMicropause, "SkipsPerDay", 0, {0, 99}, OptionBox::Clamped, {0, 99},
           {0, 99}, FieldOf<&Settings::SkipsPerDay>()),
    Number(Option::LaterPerBreak, kExercise, "LaterPerBreak", 0, {0, 9}, OptionBox::Clamped, {0, 9},
           {0, 9}, FieldOf<&Settings::LaterPerBreak>()),
    // "Hold"
    Switch(Option::FullScreen, kHold, "FullScreen", true, FieldOf<&Settings::FullScreen>()),
    Number(Option::MaxM, kHold, "MaxM", 60, {1, 480}, OptionBox::Clamped, {1, 480}, {1, 480},
           FieldOf<&Settings::MaxM>()),
    Text(Option::Programs, kHold, "Programs", "", OptionBox::Text, FieldOf<&Settings::Programs>()),
    Switch(Option::Calls, kHold, "Calls", true, FieldOf<&Settings::Calls>()),
    Text(Option::IgnoreDevices, kHold, "IgnoreDevices", "", OptionBox::Text,
         FieldOf<&Settings::IgnoreDevices>()),
    // "Schedule": off until switched on, then Monday to Friday from nine to five.
    Switch(Option::ScheduleOn, kSchedule, "On", false, FieldOf<&Settings::ScheduleOn>()),
    Text(Option::HoursMon, kSchedule, "Mon", kDefaultWorkingHours, OptionBox::Hours,
         HoursField<0>()),
    Text(Option::HoursTue, kSchedule, "Tue", kDefaultWorkingHours, OptionBox::Hours,
         HoursField<1>()),
    Text(Option::HoursWed, kSchedule, "Wed", kDefaultWorkingHours, OptionBox::Hours,
         HoursField<2>()),
    Text(Option::HoursThu, kSchedule, "Thu", kDefaultWorkingHours, OptionBox::Hours,
         HoursField<3>()),
    Text(Option::HoursFri, kSchedule, "Fri", kDefaultWorkingHours, OptionBox::Hours,
         HoursField<4>()),
    Text(Option::HoursSat, kSchedule, "Sat", "", OptionBox::Hours, HoursField<5>()),
    Text(Option::HoursSun, kSchedule, "Sun", "", OptionBox::Hours, HoursField<6>()),
    // "DailyLimit"
    Switch(Option::LimitOn, kDailyLimit, "On", false, FieldOf<&Settings::LimitOn>()),
    Number(Option::LimitM, kDailyLimit, "LimitM", 480, {30, 1440}, OptionBox::Clamped, {30, 1440},
           {30, 1440}, FieldOf<&Settings::LimitM>()),
    // "Hotkeys": none until the user gives one, so that nothing clashes out of the box.
    Text(Option::HotkeyMicropauseNow, kHotkeys, "MicropauseNow", "", OptionBox::HotKey,
         HotkeyField<HotKeyCommand::MicropauseNow>()),
    Text(Option::HotkeyExerciseNow, kHotkeys, "ExerciseNow", "", OptionBox::HotKey,
         HotkeyField<HotKeyCommand::ExerciseNow>()),
    Text(Option::HotkeyPause, kHotkeys, "Pause", "", OptionBox::HotKey,
         HotkeyField<HotKeyCommand::Pause>()),
    Text(Option::HotkeySkip, kHotkeys, "Skip", "", OptionBox::HotKey,
         HotkeyField<HotKeyCommand::Skip>()),
    Text(Option::HotkeyStatistics, kHotkeys, "Statistics", "", OptionBox::HotKey,
         HotkeyField<HotKeyCommand::Statistics>()),
    // "Options" the dialog does not show, so Apply leaves them as they are stored: whether
    // break screens stay out of screen capture (switched off only in the store), and
    // reading mode, which the tray menu switches and stores at once.
    Kept(Option::HideFromCapture, kOptions, "HideFromCapture", true,
         FieldOf<&Settings::HideFromCapture>()),
    Kept(Option::ReadingMode, kOptions, "ReadingMode", false, FieldOf<&Settings::ReadingMode>()),
    // A lock set from outside the program: read where it matters, never written.
    OptionRow{Option::DisableEsc2, kMicropause, "DisableEsc2", OptionKind::Switch, 0, "", kNoRange,
              OptionBox::None, kNoRange, kNoRange, false, OptionField{}},
}};

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kOptionTable.size(); ++i) {
        if (static_cast<std::size_t>(kOptionTable[i].option) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumOrder(), "the table lists the options in the order of Option");

}  // namespace

Settings::Settings() {
    for (const OptionRow& row : kOptionTable) {
        if (row.field.number != nullptr) {
            *row.field.number(*this) = row.numberDefault;
        } else if (row.field.on != nullptr) {
            *row.field.on(*this) = row.numberDefault != 0;
        } else if (row.field.text != nullptr) {
            *row.field.text(*this) = row.textDefault;
        }
    }
}

const OptionRow& RowOf(Option option) {
    return kOptionTable[static_cast<std::size_t>(option)];
}

const std::array<OptionRow, kOptionCount>& AllOptions() {
    return kOptionTable;
}

std::string StoredText(const OptionRow& row, const Settings& settings) {
    // The accessors hand out the field to read or write; reading changes nothing.
    auto& s = const_cast<Settings&>(settings);
    if (row.field.number != nullptr) {
        return std::to_string(*row.field.number(s));
    }
    if (row.field.on != nullptr) {
        return *row.field.on(s) ? "1" : "0";
    }
    if (row.field.text != nullptr) {
        return *row.field.text(s);
    }
    return {};
}

}  // namespace rilto
