#pragma once
// Exercise schemes in the settings store. "Schemes" lists the scheme names in display
// order ("Num", then "1".."Num"); each scheme has a section "Scheme" + its name with
// "Num" exercises: file under "k", title under "dk", take-part switch under "yk" and
// seconds under "sk". Keys above "Num" may linger from a longer past; nothing reads them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings_store.h"
#include "exercise/exercise_table.h"

namespace rilto {

inline constexpr char kSchemeSectionPrefix[] = "Scheme";
inline constexpr char kSchemeKey[] = "Scheme";  // "Exercise"/"Scheme": the scheme in use
inline constexpr char kBuiltInSchemes[] = "`*Medium Break`*Short Break`*Long Break`";
// Title of an exercise whose title key is missing: the visible sign of it.
inline constexpr char kMissingTitle[] = "error!";

std::string SchemeSection(std::string_view name);

// Built-in schemes start with "*"; only the three shipped names count, exactly as
// written.
bool IsBuiltInScheme(std::string_view name);

// The named scheme into the table, the title entry at 0. An entry whose bare file name
// is title.avi (in any case) is dropped; a missing section gives an empty scheme.
void LoadScheme(const SettingsStore& store, std::string_view name, ExerciseTable& table);

// Entries 1 to count of `exercises` as the named scheme; "Num" is written last, and keys
// above count are left alone.
void SaveScheme(SettingsStore& store, std::string_view name,
                const std::vector<ExerciseRecord>& exercises, std::int32_t count);

// The list is bounded only so that a damaged count cannot run for ever.
inline constexpr std::int32_t kMostListedSchemes = 9999;

// The scheme names in list order; `defaultCount` when "Num" is missing. The first `most`
// at the most: a reader that shows them all reads no further than it can show.
std::vector<std::string> ReadSchemeList(const SettingsStore& store, std::int32_t defaultCount,
                                        std::int32_t most = kMostListedSchemes);

// Whether two names name one scheme: its section's name, like every registry key's,
// ignores the case of any letter.
bool SameSchemeName(std::string_view a, std::string_view b);

// The name as the list holds it, in whatever case; nothing when it is not listed.
std::optional<std::string> ListedSchemeName(const SettingsStore& store, std::string_view name);

// Appends the name unless the list holds it in any case; whether it was added. A list
// as long as it is ever read takes the name in place of a missing one, or not at all.
bool AddSchemeName(SettingsStore& store, std::string_view name);

// Takes the name (in any case) out of the list, closing the gap. The scheme's own
// section stays.
void RemoveSchemeName(SettingsStore& store, std::string_view name);

}  // namespace rilto
