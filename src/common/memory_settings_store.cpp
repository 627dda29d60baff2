#include "common/memory_settings_store.h"

#include "common/text.h"

namespace rilto {

std::string MemorySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                            std::string_view def) const {
    auto s = sections_.find(AsciiLower(section));
    if (s == sections_.end()) {
        return std::string(def);
    }
    auto v = s->second.find(AsciiLower(key));
    return v == s->second.end() ? std::string(def) : v->second;
}

void MemorySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                      std::string_view text) {
    sections_[AsciiLower(section)][AsciiLower(key)] = std::string(text);
}

void MemorySettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    auto s = sections_.find(AsciiLower(section));
    if (s != sections_.end()) {
        s->second.erase(AsciiLower(key));
    }
}

void MemorySettingsStore::DeleteSection(std::string_view section) {
    sections_.erase(AsciiLower(section));
}

bool MemorySettingsStore::Has(std::string_view section, std::string_view key) const {
    auto s = sections_.find(AsciiLower(section));
    return s != sections_.end() && s->second.count(AsciiLower(key)) != 0;
}

bool MemorySettingsStore::HasSection(std::string_view section) const {
    return sections_.count(AsciiLower(section)) != 0;
}

std::size_t MemorySettingsStore::Count() const {
    std::size_t n = 0;
    for (const auto& [name, values] : sections_) {
        n += values.size();
    }
    return n;
}

}  // namespace rilto
