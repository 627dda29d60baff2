#include "common/memory_settings_store.h"

#include "common/name_case.h"

namespace rilto {

std::string MemorySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                            std::string_view def) const {
    auto s = sections_.find(NameKey(section));
    if (s == sections_.end()) {
        return std::string(def);
    }
    auto v = s->second.values.find(NameKey(key));
    return v == s->second.values.end() ? std::string(def) : v->second.text;
}

void MemorySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                      std::string_view text) {
    // As in the registry, a name keeps the case it was first saved in.
    Section& s =
        sections_.try_emplace(NameKey(section), Section{std::string(section), {}}).first->second;
    Value& v = s.values.try_emplace(NameKey(key), Value{std::string(key), {}}).first->second;
    v.text = std::string(text);
}

void MemorySettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    auto s = sections_.find(NameKey(section));
    if (s != sections_.end()) {
        s->second.values.erase(NameKey(key));
    }
}

void MemorySettingsStore::DeleteSection(std::string_view section) {
    sections_.erase(NameKey(section));
}

bool MemorySettingsStore::Has(std::string_view section, std::string_view key) const {
    auto s = sections_.find(NameKey(section));
    return s != sections_.end() && s->second.values.count(NameKey(key)) != 0;
}

bool MemorySettingsStore::HasSection(std::string_view section) const {
    return sections_.count(NameKey(section)) != 0;
}

std::size_t MemorySettingsStore::Count() const {
    std::size_t n = 0;
    for (const auto& [name, section] : sections_) {
        n += section.values.size();
    }
    return n;
}

std::vector<std::string> MemorySettingsStore::KeysOf(std::string_view section) const {
    std::vector<std::string> names;
    const auto found = sections_.find(NameKey(section));
    if (found != sections_.end()) {
        for (const auto& [valueKey, value] : found->second.values) {
            names.push_back(value.name);
        }
    }
    return names;
}

void MemorySettingsStore::ForEachValue(const Visit& visit) const {
    for (const auto& [sectionKey, section] : sections_) {
        for (const auto& [valueKey, value] : section.values) {
            visit(section.name, value.name, value.text);
        }
    }
}

}  // namespace rilto
