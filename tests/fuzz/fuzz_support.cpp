#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace rilto::fuzz {

void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::vector<std::string_view> FillStore(std::string_view text, SettingsStore& store) {
    std::vector<std::string_view> others;
    for (const std::string_view line : Lines(text)) {
        const std::size_t slash = line.find('/');
        const std::size_t equals = line.find('=', slash == std::string_view::npos ? 0 : slash);
        if (slash == std::string_view::npos || equals == std::string_view::npos) {
            others.push_back(line);
            continue;
        }
        store.SaveSetting(line.substr(0, slash), line.substr(slash + 1, equals - slash - 1),
                          line.substr(equals + 1));
    }
    return others;
}

StoreValues ValuesOf(const MemorySettingsStore& store) {
    StoreValues values;
    store.ForEachValue(
        [&](const std::string& section, const std::string& key, const std::string& text) {
            values[{section, key}] = text;
        });
    return values;
}

}  // namespace rilto::fuzz
