#pragma once
// The exercise list of the scheme page, as rows: row i shows entry i of the exercise
// table (title, on or off, length). The rows carry what the user edits on the page; the
// media file stays in the table. LtoExercises copies the rows back.

#include <cstdint>
#include <string>
#include <vector>

#include "common/settings_store.h"
#include "exercise/exercise_table.h"

namespace rilto {

inline constexpr int kIconOff = 1;
inline constexpr int kIconOn = 2;

struct ExerciseRow {
    std::string text;     // the title, edited in place
    int icon = kIconOff;  // DoIt + 1
    std::string length;   // "30 seconds"

    bool operator==(const ExerciseRow&) const = default;
};

// "N seconds".
std::string LengthText(std::int32_t seconds);

// One row per table entry 1 to NumExercises.
std::vector<ExerciseRow> LoadL(const ExerciseTable& table);

// The detail frame for a row: "Do this exercise", the frame's caption, the seconds.
struct ExerciseDetail {
    bool chkDoit = false;
    std::string caption;   // row text + " settings"
    std::string txtXsecs;  // the length before its first blank
};
ExerciseDetail DetailIt(const ExerciseRow& row);

// The rows back into the table: take-part flag, seconds and title of entries 1 to
// NumExercises. Nothing when there are no rows.
void LtoExercises(const std::vector<ExerciseRow>& rows, ExerciseTable& table);

// A scheme box: the listed names (three empty ones when the store lists none) and the
// one to select: the last that equals `scheme` exactly, else the last that names the
// same scheme in another case, else the first.
struct SchemeBox {
    std::vector<std::string> names;
    int selected = 0;
};
SchemeBox LoadSchemesInto(const SettingsStore& store, const std::string& scheme);

}  // namespace rilto
