// The "Statistics" values as anyone may have written them, and the book that counts on
// from them. Input: store lines "Statistics/2026-03-28=micropauses=3;...", then
// commands: "+N" counts DayCount N, ">M" lets M minutes pass, "!" writes. Every figure
// reads within what a day holds, a value formatted from what was read reads back the
// same, and what the book writes reads back as the stored figures plus what it counted.

#include <algorithm>
#include <map>
#include <string>

#include "common/day_figures.h"
#include "common/text.h"
#include "engine/statistics_book.h"
#include "fakes/virtual_clock.h"
#include "fuzz_support.h"

namespace {

using rilto::DayFigures;
using rilto::kMostInADay;
using rilto::fuzz::Require;

// The days a run may span: well within the 90 the book keeps.
constexpr std::int64_t kMostMinutes = 20 * 24 * 60;

bool SameFigures(const DayFigures& a, const DayFigures& b) {
    return a.date == b.date && a.counts == b.counts && a.unknown == b.unknown;
}

// Figures read from any text stay within a day and survive being written and read.
DayFigures CheckedFigures(const std::string& date, std::string_view text) {
    const DayFigures day = rilto::ParseDayFigures(date, text);
    for (const std::int32_t count : day.counts) {
        Require(count >= 0 && count <= kMostInADay, "a count reads within what a day holds");
    }
    Require(SameFigures(rilto::ParseDayFigures(date, rilto::FormatDayFigures(day)), day),
            "figures written as read read back the same");
    return day;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = rilto::fuzz::AsText(data, size);
    CheckedFigures("2026-03-28", input);

    rilto::MemorySettingsStore store;
    const std::vector<std::string_view> commands = rilto::fuzz::FillStore(input, store);
    for (const std::string& name : store.KeysOf(rilto::kStatisticsSection)) {
        CheckedFigures(name, store.GetSetting(rilto::kStatisticsSection, name, ""));
    }

    rilto::fakes::VirtualClock clock;
    rilto::StatisticsBook book(store, clock);
    // What each day should hold: its figures as first read, plus the counts since.
    std::map<std::string, DayFigures> expected;
    std::int64_t minutes = 0;
    for (const std::string_view command : commands) {
        if (command.empty()) {
            continue;
        }
        const auto number = rilto::ParseDecimal(command.substr(1));
        if (command.front() == '+' && number) {
            const auto what = static_cast<rilto::DayCount>(static_cast<std::uint64_t>(*number) %
                                                           rilto::kDayCounts);
            const std::string date = book.TodayDate();
            if (!expected.contains(date)) {
                expected[date] =
                    CheckedFigures(date, store.GetSetting(rilto::kStatisticsSection, date, ""));
            }
            book.Count(what);
            DayFigures& day = expected[date];
            day[what] = std::min(day[what] + 1, kMostInADay);
            Require(SameFigures(book.Today(), day),
                    "today's figures are the stored plus the counted");
        } else if (command.front() == '>' && number && *number > 0) {
            const std::int64_t step = std::min(*number, kMostMinutes - minutes);
            minutes += step;
            clock.Advance(static_cast<std::uint64_t>(step) * rilto::fakes::kMsPerMinute);
        } else if (command == "!") {
            book.Flush();
        }
    }

    const std::vector<DayFigures> stored = book.StoredDays();
    Require(
        std::is_sorted(stored.begin(), stored.end(),
                       [](const DayFigures& a, const DayFigures& b) { return a.date < b.date; }),
        "the stored days come oldest first");
    for (const DayFigures& day : stored) {
        Require(rilto::DayNumberOf(day.date).has_value(), "only real dates are stored days");
    }
    for (const auto& [date, day] : expected) {
        Require(
            SameFigures(CheckedFigures(date, store.GetSetting(rilto::kStatisticsSection, date, "")),
                        day),
            "what the book wrote reads back as the stored figures plus the counted");
    }
    return 0;
}
