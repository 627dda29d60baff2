// The settings file importer over any bytes: it changes only the store's own sections,
// importing the same file again changes nothing more, and what it imported, written out
// as a registry editor's file, imports as the same values.

#include <map>
#include <string>
#include <vector>

#include "common/product.h"
#include "fuzz_support.h"
#include "shell/registry_file.h"

namespace {

using rilto::fuzz::Require;
using rilto::fuzz::ValuesOf;

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted.push_back('\\');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

// The store as the registry editor exports it, in its newer header, saved as UTF-8.
std::string ExportFile(const rilto::MemorySettingsStore& store) {
    std::map<std::string, std::string> sections;
    store.ForEachValue(
        [&](const std::string& section, const std::string& key, const std::string& text) {
            sections[section] += Quoted(key) + "=" + Quoted(text) + "\r\n";
        });
    std::string file = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& [section, lines] : sections) {
        file += "\r\n[HKEY_CURRENT_USER\\" + std::string(rilto::kStoreRoot) + "\\" + section +
                "]\r\n" + lines;
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = rilto::fuzz::AsText(data, size);
    rilto::MemorySettingsStore store;
    const int changes = rilto::ImportRegistryFile(bytes, store);
    Require(changes >= 0 && store.Count() <= static_cast<std::size_t>(changes),
            "every stored value was counted as a change");
    store.ForEachValue([](const std::string& section, const std::string& key, const std::string&) {
        Require(!section.empty() && section.find('\\') == std::string::npos,
                "values land in sections directly under the store's root");
        Require(!key.empty(), "no default value is stored");
    });

    const rilto::fuzz::StoreValues imported = ValuesOf(store);
    rilto::ImportRegistryFile(bytes, store);
    Require(ValuesOf(store) == imported, "a second import of the file changes nothing");

    rilto::MemorySettingsStore again;
    rilto::ImportRegistryFile(ExportFile(store), again);
    Require(ValuesOf(again) == imported, "the imported values, exported, import as the same");
    return 0;
}
