#pragma once
// The settings store: per-user text values grouped in sections, all under the
// program's title. Section and key names match without regard to case.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rilto {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // The stored text, or `def` when the key or its whole section is missing.
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view def) const = 0;
    // Creates the section when it is missing.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;
    virtual void DeleteSetting(std::string_view section, std::string_view key) = 0;
    virtual void DeleteSection(std::string_view section) = 0;
    // The names of the values in a section; none when it is missing.
    virtual std::vector<std::string> KeysOf(std::string_view section) const = 0;

    // A numeric default comes back as its decimal text.
    std::string GetSetting(std::string_view section, std::string_view key, std::int32_t def) const {
        return GetSetting(section, key, std::to_string(def));
    }
};

}  // namespace rilto
