#include "common/settings_loader.h"

#include <algorithm>

#include "common/text.h"

namespace rilto {

std::int32_t ReadNumber(const SettingsStore& store, std::string_view section, std::string_view key,
                        std::int32_t def, NumberRange range) {
    const auto parsed = ParseDecimal(store.GetSetting(section, key, def));
    const std::int64_t value = parsed ? *parsed : def;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, range.min, range.max));
}

bool ReadSwitch(const SettingsStore& store, std::string_view section, std::string_view key,
                bool def) {
    return ReadNumber(store, section, key, def ? 1 : 0) != 0;
}

Settings LoadSettings(const SettingsStore& store) {
    Settings s;
    s.Scheme = store.GetSetting(kExercise, "Scheme", kDefaultScheme);
    s.EveryM = ReadNumber(store, kExercise, "EveryM", 50, kEveryMRange);
    s.AudibleX = ReadSwitch(store, kExercise, "AudibleX", true);
    s.WarningSoundX = store.GetSetting(kExercise, "WarningSoundX", "");
    s.BlankX = ReadSwitch(store, kExercise, "BlankX", true);
    s.ViewAm = ReadNumber(store, kExercise, "ViewAm", 0, kViewAmRange);
    s.xStart = ReadNumber(store, kExercise, "xStart", 0);
    s.NumAtaTime = ReadNumber(store, kExercise, "NumAtaTime", 6, kNumAtaTimeRange);

    s.InterruptFor = ReadNumber(store, kMicropause, "InterruptFor", 15, kInterruptForRange);
    s.InterruptEvery = ReadNumber(store, kMicropause, "InterruptEvery", 4, kInterruptEveryRange);
    s.IntelliReset = ReadSwitch(store, kMicropause, "IntelliReset", true);
    s.Audible = ReadSwitch(store, kMicropause, "Audible", true);
    s.WarningSound = store.GetSetting(kMicropause, "WarningSound", "");
    s.AudiblePre = ReadSwitch(store, kMicropause, "AudiblePre", true);
    s.WarningSoundPre = store.GetSetting(kMicropause, "WarningSoundPre", "");
    s.DisableEsc = ReadSwitch(store, kMicropause, "DisableEsc", false) ||
                   ReadSwitch(store, kMicropause, "DisableEsc2", false);
    s.Blank = ReadSwitch(store, kMicropause, "Blank", true);
    s.Warning = store.GetSetting(kMicropause, "Warning", kDefaultWarning);
    for (int kind = 0; kind < kInputKinds; ++kind) {
        s.Monitor[kind] = ReadSwitch(store, kMicropause, "Monitor" + std::to_string(kind), true);
    }
    return s;
}

}  // namespace rilto
