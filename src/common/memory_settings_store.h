#pragma once
// A settings store held in memory: the stand-in for the registry in tests.

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
    using SettingsStore::GetSetting;

    bool Has(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // How many values are stored, in all sections.
    std::size_t Count() const;

  private:
    // Keys are folded to lower case, so names match without regard to case.
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace rilto
