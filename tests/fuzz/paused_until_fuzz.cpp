// "Options\PausedUntil" as anyone may have written it: the parser takes exactly the text
// the program writes, a pause is in force only up to 48 hours ahead and ends by itself,
// and any other value is cleared.

#include <string>

#include "common/civil_time.h"
#include "common/product.h"
#include "common/text.h"
#include "engine/pause.h"
#include "fakes/virtual_clock.h"
#include "fuzz_support.h"

namespace {

using rilto::fuzz::Require;

bool IsHourMinute(const std::string& text) {
    return text.size() == 5 && text[2] == ':' && text.substr(0, 2) < "24" && text.substr(3) < "60";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view stored = rilto::fuzz::AsText(data, size);
    const std::optional<std::int64_t> parsed = rilto::ParseUtc(stored);
    if (parsed) {
        Require(rilto::FormatUtc(*parsed) == stored, "only the program's own form is read");
        Require(rilto::ParseUtc(rilto::FormatUtc(*parsed)) == parsed,
                "a formatted time reads back as itself");
    }

    rilto::MemorySettingsStore store;
    store.SaveSetting(rilto::kOptions, rilto::kPausedUntilKey, stored);
    rilto::fakes::VirtualClock clock;  // 2026-03-28 09:00 local, 08:00 UTC
    rilto::fakes::FakeTimer timer(clock, "tPause");
    rilto::Pause pause(store, clock, timer);
    int changes = 0;
    pause.OnChange([&] { ++changes; });
    timer.OnTick([&] { pause.Check(); });
    pause.Check();

    const std::int64_t now = clock.UtcNow();
    const std::string after = store.GetSetting(rilto::kOptions, rilto::kPausedUntilKey, "");
    if (!pause.Active()) {
        Require(!parsed || *parsed <= now || *parsed - now > rilto::kMaxPauseAheadSeconds,
                "a pause due within 48 hours is in force");
        Require(after.empty() && !timer.Enabled() && changes == 0,
                "a value that is no pause is cleared");
        return 0;
    }
    Require(parsed && *parsed > now && *parsed - now <= rilto::kMaxPauseAheadSeconds,
            "only a pause due within 48 hours is in force");
    Require(after == stored && changes == 1, "a pause in force stays stored");
    Require(timer.Enabled() && timer.Interval() >= 1 && timer.Interval() <= 60'000,
            "the pause's timer looks again within a minute");
    const rilto::CivilDateTime end = clock.ToLocal(*parsed);
    const std::string until = pause.UntilText();
    Require(IsHourMinute(until) && until == rilto::FormatHourMinute(end.hour, end.minute),
            "the tray tells the pause's local end");

    clock.Advance(static_cast<std::uint64_t>(*parsed - now) * rilto::fakes::kMsPerSecond);
    Require(!pause.Active() && changes == 2, "a pause ends by itself at its end");
    Require(!store.Has(rilto::kOptions, rilto::kPausedUntilKey) && !timer.Enabled(),
            "an ended pause is cleared");
    return 0;
}
