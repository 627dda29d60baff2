#pragma once
// The options the program works from, loaded from the store at start-up and
// changed only by the settings dialog. Switches are plain bools here; the store
// keeps them as "1"/"0".

#include <array>
#include <cstdint>
#include <string>

#include "common/product.h"
#include "common/texts.h"

namespace rilto {

inline constexpr char kDefaultScheme[] = "*Medium break";

struct Settings {
    // "Micropause"
    std::int32_t InterruptFor = 15;   // seconds
    std::int32_t InterruptEvery = 4;  // minutes
    bool IntelliReset = true;
    bool Audible = true;
    std::string WarningSound;
    bool AudiblePre = true;
    std::string WarningSoundPre;
    bool DisableEsc = false;  // stored DisableEsc, or DisableEsc2 set from outside
    bool Blank = true;
    std::string Warning = kDefaultWarning;
    std::array<bool, kInputKinds> Monitor{true, true};

    // "Exercise"
    std::string Scheme = kDefaultScheme;
    std::int32_t EveryM = 50;  // minutes
    bool AudibleX = true;
    std::string WarningSoundX;
    bool BlankX = true;
    std::int32_t ViewAm = 0;  // video size 0..4
    std::int32_t xStart = 0;  // 0: from the beginning, otherwise from a random point
    std::int32_t NumAtaTime = 6;
};

}  // namespace rilto
