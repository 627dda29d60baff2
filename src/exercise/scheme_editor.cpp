#include "exercise/scheme_editor.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/name_case.h"
#include "common/paths.h"
#include "common/product.h"
#include "exercise/scheme_store.h"

namespace rilto {

namespace {

// Entry i of the table exists for every row: grown when the rows outnumber it.
void Reserve(ExerciseTable& table, std::size_t rows) {
    const std::size_t needed = rows + static_cast<std::size_t>(kSpareExercises) + 1;
    if (table.Exercises.size() < needed) {
        table.Exercises.resize(needed);
    }
}

}  // namespace

int RemoveExercise(std::vector<ExerciseRow>& rows, ExerciseTable& table, int k) {
    const int count = static_cast<int>(rows.size());
    if (count <= 1 || k < 1 || k > count) {
        return 0;
    }
    Reserve(table, rows.size());
    table.Exercises.erase(table.Exercises.begin() + k);
    table.Exercises.emplace_back();
    rows.erase(rows.begin() + (k - 1));
    table.NumExercises = std::max(0, table.NumExercises - 1);
    return std::min(k, count - 1);
}

int MoveExercise(std::vector<ExerciseRow>& rows, ExerciseTable& table, int k, bool up) {
    const int count = static_cast<int>(rows.size());
    const int to = up ? k - 1 : k + 1;
    if (k < 1 || k > count || to < 1 || to > count) {
        return k;
    }
    Reserve(table, rows.size());
    std::swap(rows[static_cast<std::size_t>(k - 1)], rows[static_cast<std::size_t>(to - 1)]);
    std::swap(table.Exercises[static_cast<std::size_t>(k)],
              table.Exercises[static_cast<std::size_t>(to)]);
    return to;
}

std::string StoredMediaName(std::string_view path, std::string_view programFolder) {
    std::string folder(programFolder);
    if (!folder.empty() && folder.back() != kFolderSeparator) {
        folder.push_back(kFolderSeparator);
    }
    // Windows file names ignore case beyond ASCII too.
    const std::optional<std::size_t> inFolder = NamePrefixLength(path, folder);
    if (!folder.empty() && inFolder && *inFolder < path.size()) {
        return std::string(path.substr(*inFolder));
    }
    return std::string(path);
}

void AddExercise(ExerciseTable& table, SettingsStore& store, const std::string& scheme,
                 const std::string& file, const std::string& title) {
    if (table.NumExercises >= kMaxSchemeExercises) {
        return;
    }
    ++table.NumExercises;
    Reserve(table, static_cast<std::size_t>(table.NumExercises));
    table.Exercises[static_cast<std::size_t>(table.NumExercises)] =
        ExerciseRecord{file, title, 1, kNewExerciseSeconds};
    SaveScheme(store, scheme, table.Exercises, table.NumExercises);
}

std::string SchemeNameFrom(std::string_view typed) {
    const auto first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = typed.find_last_not_of(' ');
    return std::string(typed.substr(first, last - first + 1));
}

bool IsUsableSchemeName(std::string_view name) {
    // "Scheme" + "s" is the section that lists the names.
    return !name.empty() && !SameName(SchemeSection(name), kSchemes);
}

SaveAsResult SaveSchemeAs(SettingsStore& store, const ExerciseTable& table, const std::string& name,
                          const std::function<bool()>& replace, std::string& savedAs) {
    if (!IsUsableSchemeName(name)) {
        return SaveAsResult::Refused;
    }
    const std::optional<std::string> listed = ListedSchemeName(store, name);
    if (listed && !(replace && replace())) {
        return SaveAsResult::Kept;
    }
    if (!listed) {
        AddSchemeName(store, name);
    }
    savedAs = listed.value_or(name);
    SaveScheme(store, savedAs, table.Exercises, table.NumExercises);
    return SaveAsResult::Saved;
}

DeleteResult DeleteScheme(SettingsStore& store, const std::string& name,
                          const std::function<bool()>& confirm) {
    if (IsBuiltInScheme(name)) {
        return DeleteResult::BuiltIn;
    }
    if (confirm && !confirm()) {
        return DeleteResult::Kept;
    }
    RemoveSchemeName(store, name);
    return DeleteResult::Deleted;
}

}  // namespace rilto
