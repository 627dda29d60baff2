#include "exercise/scheme_rows.h"

#include <algorithm>
#include <limits>

#include "exercise/scheme_store.h"
#include "common/text.h"

namespace rilto {

namespace {

// The number a length starts with, "30" of "30 seconds".
std::string_view FirstWord(std::string_view length) {
    return length.substr(0, length.find(' '));
}

}  // namespace

std::string LengthText(std::int32_t seconds) {
    return std::to_string(seconds) + " seconds";
}

std::vector<ExerciseRow> LoadL(const ExerciseTable& table) {
    std::vector<ExerciseRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(table.NumExercises, 0)));
    for (std::int32_t i = 1; i <= table.NumExercises; ++i) {
        const ExerciseRecord& r = table.At(i);
        rows.push_back({r.Title, r.DoIt != 0 ? kIconOn : kIconOff, LengthText(r.Seconds)});
    }
    return rows;
}

ExerciseDetail DetailIt(const ExerciseRow& row) {
    return {row.icon - 1 != 0, row.text + " settings", std::string(FirstWord(row.length))};
}

void LtoExercises(const std::vector<ExerciseRow>& rows, ExerciseTable& table) {
    if (rows.empty()) {
        return;
    }
    const std::size_t room = rows.size() + static_cast<std::size_t>(kSpareExercises) + 1;
    if (table.Exercises.size() < room) {
        table.Exercises.resize(room);
    }
    const auto count = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(table.NumExercises, 0)), rows.size());
    for (std::size_t i = 1; i <= count; ++i) {
        const ExerciseRow& row = rows[i - 1];
        ExerciseRecord& r = table.Exercises[i];
        r.DoIt = row.icon - 1;
        const std::string length = row.length.empty() ? LengthText(r.Seconds) : row.length;
        // A length that does not start with a 32-bit number leaves the seconds as they were.
        const auto seconds = ParseDecimal(FirstWord(length));
        if (seconds && *seconds >= std::numeric_limits<std::int32_t>::min() &&
            *seconds <= std::numeric_limits<std::int32_t>::max()) {
            r.Seconds = static_cast<std::int32_t>(*seconds);
        }
        r.Title = row.text;
    }
}

SchemeBox LoadSchemesInto(const SettingsStore& store, const std::string& scheme) {
    SchemeBox box;
    box.names = ReadSchemeList(store, 3);
    // The last name as the scheme is spelled; failing that, the last the store takes for
    // the same scheme (a name typed in another case).
    int sameName = -1;
    int exact = -1;
    for (std::size_t k = 0; k < box.names.size(); ++k) {
        if (box.names[k] == scheme) {
            exact = static_cast<int>(k);
        } else if (SameSchemeName(box.names[k], scheme)) {
            sameName = static_cast<int>(k);
        }
    }
    box.selected = std::max({exact, exact < 0 ? sameName : -1, 0});
    return box;
}

}  // namespace rilto
