// An exercise scheme loaded from a store of hostile values: the first line names the
// scheme, the others are "Section/Key=text". The table keeps its title entry and at most
// the exercises a scheme holds, and the scheme saved and loaded again is the same. A name
// added to the list of schemes is then listed, and a removed one leaves it shorter.

#include <algorithm>
#include <string>

#include "common/name_case.h"
#include "common/product.h"
#include "exercise/scheme_store.h"
#include "fuzz_support.h"

namespace {

using rilto::fuzz::Require;

// The most names the list is read with.
constexpr std::size_t kLongestList = 9999;

bool SameRecord(const rilto::ExerciseRecord& a, const rilto::ExerciseRecord& b) {
    return a.File == b.File && a.Title == b.Title && a.DoIt == b.DoIt && a.Seconds == b.Seconds;
}

bool SameScheme(const rilto::ExerciseTable& a, const rilto::ExerciseTable& b) {
    if (a.NumExercises != b.NumExercises) {
        return false;
    }
    for (std::int32_t i = 0; i <= a.NumExercises; ++i) {
        if (!SameRecord(a.At(i), b.At(i))) {
            return false;
        }
    }
    return true;
}

void CheckTable(const rilto::ExerciseTable& table) {
    Require(table.NumExercises >= 0 && table.NumExercises <= rilto::kMaxSchemeExercises,
            "a scheme holds at most its most exercises");
    Require(table.Exercises.size() >=
                static_cast<std::size_t>(table.NumExercises + rilto::kSpareExercises + 1),
            "a loaded table has its spare room");
    Require(SameRecord(table.Exercises[0], rilto::TitleEntry()), "entry 0 is the title entry");
    for (std::int32_t i = 1; i <= table.NumExercises; ++i) {
        Require(!rilto::SameName(table.At(i).File, rilto::kTitleFile),
                "the title clip is no exercise of a scheme");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = rilto::fuzz::AsText(data, size);
    const std::size_t firstEnd = input.find('\n');
    const std::string name(input.substr(0, firstEnd));
    rilto::MemorySettingsStore store;
    if (firstEnd != std::string_view::npos) {
        rilto::fuzz::FillStore(input.substr(firstEnd + 1), store);
    }

    rilto::ExerciseTable table;
    rilto::LoadScheme(store, name, table);
    CheckTable(table);

    rilto::MemorySettingsStore fresh;
    rilto::SaveScheme(fresh, name, table.Exercises, table.NumExercises);
    rilto::ExerciseTable reloaded;
    rilto::LoadScheme(fresh, name, reloaded);
    Require(SameScheme(reloaded, table), "a scheme saved to an empty store loads as the same");
    rilto::SaveScheme(store, name, table.Exercises, table.NumExercises);
    rilto::LoadScheme(store, name, reloaded);
    Require(SameScheme(reloaded, table), "a scheme saved over the store loads as the same");

    const std::vector<std::string> names = rilto::ReadSchemeList(store, 0);
    const bool full =
        names.size() == kLongestList && std::find(names.begin(), names.end(), "") == names.end();
    const bool wasListed = rilto::ListedSchemeName(store, name).has_value();
    const bool added = rilto::AddSchemeName(store, name);
    const std::optional<std::string> listed = rilto::ListedSchemeName(store, name);
    Require(!added || (listed && *listed == name), "an added name is listed as given");
    Require(added || wasListed || full, "a name is added unless listed or the list is full");
    if (listed) {
        const std::size_t count = rilto::ReadSchemeList(store, 0).size();
        rilto::RemoveSchemeName(store, *listed);
        Require(rilto::ReadSchemeList(store, 0).size() == count - 1,
                "a removed name leaves the list one shorter");
    }
    return 0;
}
