#pragma once
// A settings store held in memory: the stand-in for the registry in tests.

#include <functional>
#include <map>
#include <string>

#include "common/settings_store.h"

namespace rilto {

class MemorySettingsStore : public SettingsStore {
  public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view def) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSection(std::string_view section) override;
    std::vector<std::string> KeysOf(std::string_view section) const override;
    using SettingsStore::GetSetting;

    bool Has(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // How many values are stored, in all sections.
    std::size_t Count() const;

    using Visit = std::function<void(const std::string& section, const std::string& key,
                                     const std::string& text)>;
    // Every value, with its section's and its own name as they were first saved.
    void ForEachValue(const Visit& visit) const;

  private:
    struct Value {
        std::string name;
        std::string text;
    };
    struct Section {
        std::string name;
        std::map<std::string, Value> values;
    };
    // Both maps are keyed by NameKey, so names match as the registry matches them.
    std::map<std::string, Section> sections_;
};

}  // namespace rilto
