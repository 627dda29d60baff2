#include "shell/tray_menu_model.h"

#include "common/product.h"
#include "common/settings_loader.h"

namespace rilto {

namespace {
// More menu items than any screen can show; keeps a corrupt count from building
// a menu of millions.
inline constexpr std::int32_t kMaxSchemeItems = 500;
}  // namespace

std::vector<std::string> LoadMnuX(const SettingsStore& store) {
    const std::int32_t n = ReadNumber(store, kSchemes, "Num", 0, {0, kMaxSchemeItems});
    if (n == 0) {
        return {kSchemePlaceholder};
    }
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 1; i <= n; ++i) {
        names.push_back(store.GetSetting(kSchemes, std::to_string(i), ""));
    }
    return names;
}

void TrayNotifications::Notify(unsigned mouseMessage) {
    if (busy_) {
        return;
    }
    busy_ = true;
    try {
        if (mouseMessage == kTrayLeftDoubleClick) {
            openSettings_();
        } else if (mouseMessage == kTrayRightButtonUp) {
            showMenu_();
        }
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
}

}  // namespace rilto
