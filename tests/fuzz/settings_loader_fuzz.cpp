// The options loaded from a store of hostile values ("Section/Key=text" lines): every
// number within its row's range, the store finding a value under any case of its names,
// and the options saved as Apply saves them loading back as the same.

#include <string>

#include "common/name_case.h"
#include "common/options.h"
#include "common/settings_loader.h"
#include "fuzz_support.h"

namespace {

using rilto::fuzz::Require;

bool SameOptions(const rilto::Settings& a, const rilto::Settings& b) {
    for (const rilto::OptionRow& row : rilto::AllOptions()) {
        if (rilto::StoredText(row, a) != rilto::StoredText(row, b)) {
            return false;
        }
    }
    return a.DisableEsc == b.DisableEsc;
}

void SaveOptions(const rilto::Settings& settings, rilto::SettingsStore& store) {
    for (const rilto::OptionRow& row : rilto::AllOptions()) {
        if (row.written) {
            store.SaveSetting(row.section, row.key, rilto::StoredText(row, settings));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rilto::MemorySettingsStore store;
    rilto::fuzz::FillStore(rilto::fuzz::AsText(data, size), store);

    store.ForEachValue([&](const std::string& section, const std::string& key,
                           const std::string& text) {
        const std::string sectionKey = rilto::NameKey(section);
        Require(rilto::NameKey(sectionKey) == sectionKey && rilto::SameName(section, sectionKey),
                "a name's upper case is the same name, and its own upper case");
        Require(store.GetSetting(sectionKey, rilto::NameKey(key), "\n") == text,
                "a value is found under its names in upper case");
    });

    const rilto::Settings loaded = rilto::LoadSettings(store);
    for (const rilto::OptionRow& row : rilto::AllOptions()) {
        if (row.field.number == nullptr) {
            continue;
        }
        const std::int32_t value = *row.field.number(const_cast<rilto::Settings&>(loaded));
        Require(value >= row.stored.min && value <= row.stored.max,
                "a loaded number is within its row's range");
        Require(value == rilto::ReadOption(store, row.option), "one option reads as all do");
    }
    Require(!rilto::EscapeLockedFromOutside(store) || rilto::EscapeDisabledFromOutside(store),
            "the lock from outside also disables early exit");
    Require(!rilto::EscapeDisabledFromOutside(store) || loaded.DisableEsc,
            "early exit disabled from outside is disabled");

    rilto::MemorySettingsStore fresh;
    SaveOptions(loaded, fresh);
    Require(SameOptions(rilto::LoadSettings(fresh), loaded),
            "the options saved to an empty store load as the same");
    SaveOptions(loaded, store);
    Require(SameOptions(rilto::LoadSettings(store), loaded),
            "the options saved over the store load as the same");
    return 0;
}
