#pragma once
// The scheme editor's operations on the exercise table and the rows of the scheme page,
// which always stay in step: row i shows entry i, so whatever moves or removes a row
// moves or removes its entry, file and all.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings_store.h"
#include "exercise/exercise_table.h"
#include "exercise/scheme_rows.h"

namespace rilto {

// A new exercise lasts this long.
inline constexpr std::int32_t kNewExerciseSeconds = 30;

// Removes row k (from 1) and its entry; the row to select afterwards: k, or the new last
// row. A scheme keeps at least one exercise: with one row nothing is removed (0).
int RemoveExercise(std::vector<ExerciseRow>& rows, ExerciseTable& table, int k);

// Moves row k (from 1) one place up or down with its entry; the row's new index, or k
// when it cannot move (up from the first, down from the last).
int MoveExercise(std::vector<ExerciseRow>& rows, ExerciseTable& table, int k, bool up);

// A file in the program folder is stored by its bare name; any other by its full path.
std::string StoredMediaName(std::string_view path, std::string_view programFolder);

// Appends an exercise that takes part and lasts 30 seconds, and saves the scheme at
// once.
void AddExercise(ExerciseTable& table, SettingsStore& store, const std::string& scheme,
                 const std::string& file, const std::string& title);

// The name a user typed for Save As, without blanks around it.
std::string SchemeNameFrom(std::string_view typed);

// A name Save As refuses: empty, or one whose section would be the list of names.
bool IsUsableSchemeName(std::string_view name);

enum class SaveAsResult { Saved, Kept, Refused };

// Save As: the table saved under `name`, listed when it is new. A name the list holds
// already (in any case) is replaced only when `replace` agrees (Kept when it does not),
// and keeps the spelling of the list. A name that cannot be used is Refused. Neither
// saves anything. `savedAs` gets the name as the list has it.
SaveAsResult SaveSchemeAs(SettingsStore& store, const ExerciseTable& table, const std::string& name,
                          const std::function<bool()>& replace, std::string& savedAs);

enum class DeleteResult { BuiltIn, Kept, Deleted };

// Delete: the name leaves the list (its section stays). Built-in schemes are refused;
// `confirm` asks first.
DeleteResult DeleteScheme(SettingsStore& store, const std::string& name,
                          const std::function<bool()>& confirm);

}  // namespace rilto
