#include "settings/settings_apply.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "common/product.h"
#include "common/settings_loader.h"
#include "common/text.h"

namespace rilto {

namespace {

// What the dialog allows in its two micropause boxes.
constexpr NumberRange kIntForBox{3, 60};     // seconds
constexpr NumberRange kIntEveryBox{2, 999};  // minutes
// The exercise boxes take any count from 1; above it only what the program can hold.
constexpr std::int32_t kExerciseBoxMin = 1;

std::optional<std::int32_t> Int32Of(std::string_view text) {
    const auto parsed = ParseDecimal(text);
    if (!parsed || *parsed < std::numeric_limits<std::int32_t>::min() ||
        *parsed > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*parsed);
}

// A micropause box: text that is no 32-bit number shows the value in effect again;
// a number outside the box's range shows the nearest end. Whatever the box then holds
// is the new value.
std::int32_t CheckMicropauseBox(std::string& box, std::int32_t inEffect, NumberRange range) {
    const auto typed = Int32Of(box);
    if (!typed) {
        box = std::to_string(inEffect);
        return inEffect;
    }
    if (*typed > range.max) {
        box = std::to_string(range.max);
        return range.max;
    }
    if (*typed < range.min) {
        box = std::to_string(range.min);
        return range.min;
    }
    return *typed;
}

// An exercise box: text that is no number shows the value in effect again, which stays;
// 0 becomes 1, and a pasted number beyond what the program holds is cut to that.
std::int32_t CheckExerciseBox(std::string& box, std::int32_t inEffect, NumberRange range) {
    const auto typed = ParseDecimal(box);
    if (!typed) {
        box = std::to_string(inEffect);
        return inEffect;
    }
    const auto value = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(*typed, std::max(kExerciseBoxMin, range.min), range.max));
    if (value != *typed) {
        box = std::to_string(value);
    }
    return value;
}

const char* Switch(bool on) {
    return on ? "1" : "0";
}

void SaveNumber(SettingsStore& store, std::string_view section, std::string_view key,
                std::int32_t value) {
    store.SaveSetting(section, key, std::to_string(value));
}

}  // namespace

void ApplySettings(SettingsForm& form, const ApplyPorts& ports) {
    Settings& s = ports.settings;
    SettingsStore& store = ports.store;

    // Micropause length and interval, each box judged on its own, then both at once
    // into the running scheduler.
    s.InterruptFor = CheckMicropauseBox(form.txtIntFor, s.InterruptFor, kIntForBox);
    s.InterruptEvery = CheckMicropauseBox(form.txtIntEvery, s.InterruptEvery, kIntEveryBox);
    ports.scheduler.ApplyMicropauseTiming();

    s.IntelliReset = form.chkReset;
    s.Monitor = form.chkMonitor;
    s.Audible = form.chkAudible;
    s.AudiblePre = form.chkAudiblePre;
    s.Blank = form.chkBlank;
    s.Warning = form.txtWarning;
    if (ports.showWarning) {
        ports.showWarning(s.Warning);
    }
    // A lock set from outside ("DisableEsc2") keeps escaping disabled whatever the box
    // says; the box's own value is what gets stored under "DisableEsc".
    s.DisableEsc = form.chkDisableEsc || ReadSwitch(store, kMicropause, "DisableEsc2", false);

    SaveNumber(store, kMicropause, "InterruptFor", s.InterruptFor);
    SaveNumber(store, kMicropause, "InterruptEvery", s.InterruptEvery);
    store.SaveSetting(kMicropause, "Audible", Switch(s.Audible));
    store.SaveSetting(kMicropause, "WarningSound", s.WarningSound);
    store.SaveSetting(kMicropause, "AudiblePre", Switch(s.AudiblePre));
    store.SaveSetting(kMicropause, "WarningSoundPre", s.WarningSoundPre);
    store.SaveSetting(kMicropause, "Blank", Switch(s.Blank));
    store.SaveSetting(kMicropause, "Warning", s.Warning);
    store.SaveSetting(kMicropause, "DisableEsc", Switch(form.chkDisableEsc));
    store.SaveSetting(kMicropause, "IntelliReset", Switch(s.IntelliReset));

    // Both kinds every time: the hook follows the boxes even when nothing changed.
    for (std::int32_t kind = 0; kind < kInputKinds; ++kind) {
        const bool on = s.Monitor[static_cast<std::size_t>(kind)];
        store.SaveSetting(kMicropause, "Monitor" + std::to_string(kind), Switch(on));
        ports.hook.InstallFilter(kind, on ? kFilterOn : kFilterOff);
    }

    s.AudibleX = form.chkAudibleX;
    s.BlankX = form.chkBlankX;
    form.comboView = std::clamp(form.comboView, kViewAmRange.min, kViewAmRange.max);
    s.ViewAm = form.comboView;
    s.EveryM = CheckExerciseBox(form.txtEveryM, s.EveryM, kEveryMRange);
    s.xStart = form.optXstartRandom ? -1 : 0;
    s.NumAtaTime = CheckExerciseBox(form.txtNumAtaTime, s.NumAtaTime, kNumAtaTimeRange);
    ports.scheduler.ApplyExerciseInterval();

    store.SaveSetting(kExercise, "AudibleX", Switch(s.AudibleX));
    SaveNumber(store, kExercise, "EveryM", s.EveryM);
    store.SaveSetting(kExercise, "WarningSoundX", s.WarningSoundX);
    store.SaveSetting(kExercise, "BlankX", Switch(s.BlankX));
    SaveNumber(store, kExercise, "ViewAm", s.ViewAm);

    if (ports.saveScheme) {
        ports.saveScheme();
    }
    store.SaveSetting(kExercise, "Scheme", s.Scheme);
    SaveNumber(store, kExercise, "xStart", s.xStart);
    SaveNumber(store, kExercise, "NumAtaTime", s.NumAtaTime);
}

}  // namespace rilto
