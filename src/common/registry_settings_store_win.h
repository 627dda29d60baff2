#pragma once
// The settings store in the registry: HKEY_CURRENT_USER, one key per section under
// the program's root, one REG_SZ value per setting.

#include "common/settings_store.h"

namespace rilto {

class RegistrySettingsStore : public SettingsStore {
  public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view def) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSection(std::string_view section) override;
    std::vector<std::string> KeysOf(std::string_view section) const override;
    using SettingsStore::GetSetting;
};

}  // namespace rilto
