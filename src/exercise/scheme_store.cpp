#include "exercise/scheme_store.h"

#include <algorithm>

#include "common/name_case.h"
#include "common/product.h"
#include "common/settings_loader.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr char kNumKey[] = "Num";
constexpr NumberRange kSchemeCountRange{0, kMaxSchemeExercises};
constexpr NumberRange kSchemeListRange{0, kMostListedSchemes};

std::string Key(std::string_view prefix, std::int32_t k) {
    std::string key(prefix);
    key.append(std::to_string(k));
    return key;
}

std::int32_t ListCount(const SettingsStore& store, std::int32_t def) {
    return ReadNumber(store, kSchemes, kNumKey, def, kSchemeListRange);
}

}  // namespace

std::string SchemeSection(std::string_view name) {
    std::string section(kSchemeSectionPrefix);
    section.append(name);
    return section;
}

bool IsBuiltInScheme(std::string_view name) {
    std::string quoted("`");
    quoted.append(name);
    quoted.append("`");
    return std::string_view(kBuiltInSchemes).find(quoted) != std::string_view::npos;
}

void LoadScheme(const SettingsStore& store, std::string_view name, ExerciseTable& table) {
    const std::string section = SchemeSection(name);
    const std::int32_t n = ReadNumber(store, section, kNumKey, 0, kSchemeCountRange);
    table.Exercises.assign(static_cast<std::size_t>(n + kSpareExercises + 1), ExerciseRecord{});
    std::int32_t kept = 0;
    for (std::int32_t k = 1; k <= n; ++k) {
        ExerciseRecord r;
        r.File = store.GetSetting(section, Key("", k), "");
        r.Title = store.GetSetting(section, Key("d", k), kMissingTitle);
        r.DoIt = ReadNumber(store, section, Key("y", k), 0);
        r.Seconds = ReadNumber(store, section, Key("s", k), 0);
        if (AsciiLower(r.File) == kTitleFile) {
            continue;
        }
        table.Exercises[static_cast<std::size_t>(++kept)] = std::move(r);
    }
    table.NumExercises = kept;
    table.Exercises[0] = TitleEntry();
}

void SaveScheme(SettingsStore& store, std::string_view name,
                const std::vector<ExerciseRecord>& exercises, std::int32_t count) {
    const std::string section = SchemeSection(name);
    count = std::clamp(count, 0, static_cast<std::int32_t>(exercises.size()) - 1);
    count = std::min(count, kMaxSchemeExercises);
    for (std::int32_t k = 1; k <= count; ++k) {
        const ExerciseRecord& r = exercises[static_cast<std::size_t>(k)];
        store.SaveSetting(section, Key("y", k), std::to_string(r.DoIt));
        store.SaveSetting(section, Key("s", k), std::to_string(r.Seconds));
        store.SaveSetting(section, Key("", k), r.File);
        store.SaveSetting(section, Key("d", k), r.Title);
    }
    store.SaveSetting(section, kNumKey, std::to_string(count));
}

std::vector<std::string> ReadSchemeList(const SettingsStore& store, std::int32_t defaultCount,
                                        std::int32_t most) {
    const std::int32_t n = std::min(ListCount(store, defaultCount), std::max(0, most));
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(n));
    for (std::int32_t k = 1; k <= n; ++k) {
        names.push_back(store.GetSetting(kSchemes, Key("", k), ""));
    }
    return names;
}

bool SameSchemeName(std::string_view a, std::string_view b) {
    return SameName(a, b);
}

std::optional<std::string> ListedSchemeName(const SettingsStore& store, std::string_view name) {
    for (const std::string& listed : ReadSchemeList(store, 0)) {
        if (SameSchemeName(listed, name)) {
            return listed;
        }
    }
    return std::nullopt;
}

bool AddSchemeName(SettingsStore& store, std::string_view name) {
    const std::vector<std::string> names = ReadSchemeList(store, 0);
    for (const std::string& existing : names) {
        if (SameSchemeName(existing, name)) {
            return false;
        }
    }
    const auto n = static_cast<std::int32_t>(names.size());
    if (n < kSchemeListRange.max) {
        store.SaveSetting(kSchemes, Key("", n + 1), name);
        store.SaveSetting(kSchemes, kNumKey, std::to_string(n + 1));
        return true;
    }
    // A list read at its bound has a damaged count, and a name written past the bound would
    // never be read: the name takes the place of a missing one, if any.
    const auto missing = std::find(names.begin(), names.end(), "");
    if (missing == names.end()) {
        return false;
    }
    store.SaveSetting(kSchemes, Key("", static_cast<std::int32_t>(missing - names.begin()) + 1),
                      name);
    return true;
}

void RemoveSchemeName(SettingsStore& store, std::string_view name) {
    const std::vector<std::string> names = ReadSchemeList(store, 0);
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const std::string& s) { return SameSchemeName(s, name); });
    if (found == names.end()) {
        return;
    }
    const auto n = static_cast<std::int32_t>(names.size());
    for (auto j = static_cast<std::int32_t>(found - names.begin()) + 2; j <= n; ++j) {
        store.SaveSetting(kSchemes, Key("", j - 1), names[static_cast<std::size_t>(j - 1)]);
    }
    store.DeleteSetting(kSchemes, Key("", n));
    store.SaveSetting(kSchemes, kNumKey, std::to_string(n - 1));
}

}  // namespace rilto
