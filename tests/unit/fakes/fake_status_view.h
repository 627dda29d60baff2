#pragma once
// What the program shows beside its windows, recorded: the tray icon's pause, off hours,
// count and reading mode, the micropause screen's warning, and how often the day's figures were
// written.

#include <optional>
#include <string>

#include "shell/rilto_core.h"

namespace rilto::fakes {

struct FakeStatusView : StatusView {
    void ShowPausedUntil(const std::string& until) override { pausedUntil = until; }
    void ShowOffHours(const OffHoursShown& shown) override { offHours = shown; }
    void ShowMicropausesToday(int count) override { micropausesToday = count; }
    void ShowReadingMode(bool on) override { readingMode = on; }
    void ShowWarning(const std::string& text) override { warning = text; }
    void FiguresWritten() override { ++figuresWritten; }

    std::string pausedUntil;
    OffHoursShown offHours;
    int micropausesToday = 0;
    std::optional<bool> readingMode;
    std::string warning;
    int figuresWritten = 0;
};

}  // namespace rilto::fakes
