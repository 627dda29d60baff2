#include "settings/settings_apply.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "common/hot_key_text.h"
#include "common/product.h"
#include "common/settings_loader.h"
#include "common/text.h"
#include "engine/working_hours.h"
#include "settings/schedule_boxes.h"

namespace rilto {

namespace {

// A number box. Text that is no number shows the value in effect again, which stays. A
// clamped box shows the nearest end of its range for a number outside it; any other box
// takes what the program can hold, 0 included, and a pasted number beyond that is cut to
// it. Whatever the box then holds is the new value.
std::int32_t CheckNumberBox(const OptionRow& row, std::string& box, std::int32_t inEffect) {
    const bool clamped = row.box == OptionBox::Clamped;
    std::optional<std::int64_t> typed = ParseDecimal(box);
    // A clamped box takes only what a 32-bit number holds.
    if (clamped && typed &&
        (*typed < std::numeric_limits<std::int32_t>::min() ||
         *typed > std::numeric_limits<std::int32_t>::max())) {
        typed.reset();
    }
    if (!typed) {
        box = std::to_string(inEffect);
        return inEffect;
    }
    const NumberRange range = clamped ? row.boxRange : row.stored;
    const auto value =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(*typed, range.min, range.max));
    if (value != *typed) {
        box = std::to_string(value);
    }
    return value;
}

// The option takes what its control on the page holds, corrected where Apply corrects it;
// a refused hours box adds its day and why to `refused`.
void TakeFromPage(const OptionRow& row, SettingsForm& form, Settings& settings,
                  std::vector<std::string>& refused) {
    std::string& shown = form[row.option];
    switch (row.box) {
        case OptionBox::None:
            return;
        case OptionBox::Clamped:
        case OptionBox::Count:
        case OptionBox::List: {
            std::int32_t& value = *row.field.number(settings);
            value = CheckNumberBox(row, shown, value);
            return;
        }
        case OptionBox::StartPoint:
            *row.field.number(settings) = form.On(row.option) ? -1 : 0;
            return;
        case OptionBox::Check:
            *row.field.on(settings) = form.On(row.option);
            return;
        case OptionBox::Text:
            *row.field.text(settings) = shown;
            return;
        case OptionBox::Hours: {
            const DayHours typed = ReadDayHours(shown);
            if (!typed.Readable()) {
                refused.push_back(std::string(DayName(WeekdayOfHours(row.option).value_or(0))) +
                                  ": " + typed.problem);
                return;
            }
            *row.field.text(settings) = shown;
            return;
        }
        case OptionBox::HotKey: {
            // A key it reads is written as the program writes it; text it cannot read stays
            // as typed, for the user to mend, and is reported where its key is registered.
            const HotKeyReading reading = ReadHotKey(shown);
            if (reading.key) {
                shown = HotKeyText(*reading.key);
            } else if (reading.problem == HotKeyProblem::None) {
                shown.clear();  // blanks: no key
            }
            *row.field.text(settings) = shown;
            return;
        }
    }
}

// What Apply writes: the value in effect, but a check box stores its own tick (the escape
// box's tick, whatever a lock from outside adds to it).
std::string TextToWrite(const OptionRow& row, const SettingsForm& form, const Settings& settings) {
    if (row.box == OptionBox::Check) {
        return form.On(row.option) ? "1" : "0";
    }
    return StoredText(row, settings);
}

std::optional<std::int32_t> HookKindOf(Option option) {
    switch (option) {
        case Option::Monitor0:
            return kKeyboard;
        case Option::Monitor1:
            return kMouse;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::vector<std::string> ApplySettings(SettingsForm& form, const ApplyPorts& ports) {
    SettingsStore& store = ports.store;
    Settings changed = ports.settings.Current();
    std::vector<std::string> refused;
    for (const OptionRow& row : AllOptions()) {
        TakeFromPage(row, form, changed, refused);
    }
    ports.settings.Apply(changed);
    // What Apply made of them, the lock included, is what is written.
    Settings s = ports.settings.Current();

    // The running program follows at once: micropause timing and countdown, the
    // micropause screen's message, the exercise countdown.
    ports.scheduler.ApplyMicropauseTiming();
    if (ports.showWarning) {
        ports.showWarning(s.Warning);
    }
    ports.scheduler.ApplyExerciseInterval();

    for (const OptionRow& row : AllOptions()) {
        if (!row.written) {
            continue;
        }
        // The scheme page's rows are saved before the scheme in use is stored.
        if (row.option == Option::Scheme && ports.saveScheme) {
            ports.saveScheme();
        }
        store.SaveSetting(row.section, row.key, TextToWrite(row, form, s));
        // Both kinds every time: the hook follows the boxes even when nothing changed.
        if (const auto kind = HookKindOf(row.option)) {
            ports.hook.InstallFilter(*kind, *row.field.on(s) ? kFilterOn : kFilterOff);
        }
    }
    return refused;
}

}  // namespace rilto
