#include "shell/tray_menu_model.h"

#include "common/product.h"
#include "common/raise.h"
#include "common/scoped_flag.h"
#include "exercise/scheme_store.h"

namespace rilto {

namespace {

// More menu items than any screen can show; keeps a corrupt count from building a
// menu of millions.
constexpr std::int32_t kMaxSchemeItems = 500;

// The scheme list as menu items: the placeholder when it is empty.
std::vector<std::string> MenuItems(std::vector<std::string> listed) {
    if (listed.empty()) {
        return {kSchemePlaceholder};
    }
    return listed;
}

}  // namespace

std::vector<std::string> LoadMnuX(const SettingsStore& store) {
    return MenuItems(ReadSchemeList(store, 0, kMaxSchemeItems));
}

TrayMenuContent LoadTrayMenu(const SettingsStore& store, const TrayFeatures& features) {
    const std::vector<std::string> listed = ReadSchemeList(store, 0, kMaxSchemeItems);
    TrayMenuContent menu;
    menu.schemes = MenuItems(listed);
    menu.optionsEnabled = features.settingsDialog;
    menu.aboutEnabled = features.aboutBox;
    menu.exerciseEnabled = features.exerciseBreaks;
    // The placeholder of an empty list names no scheme: picking it would only empty
    // the scheme in use.
    menu.schemesEnabled = features.exerciseBreaks && !listed.empty();
    return menu;
}

void TrayController::IconNotify(unsigned event, TrayPoint anchor) {
    if (event == kTrayMouseMove) {
        return;
    }
    const bool afterRightButtonUp = previous_ == kTrayRightButtonUp;
    previous_ = event;
    if (busy_) {
        return;
    }
    const ScopedFlag busy(busy_);
    switch (event) {
        case kTrayLeftDoubleClick:
            Raise(actions_.openSettings);
            break;
        case kTrayRightButtonUp:
            ShowMenuOnce(std::nullopt);
            break;
        case kTrayContextMenu:
            // Right after a button-up it is the same right click, whose menu has opened.
            if (!afterRightButtonUp) {
                ShowMenuOnce(anchor);
            }
            break;
        case kTrayKeySelect:
            ShowMenuOnce(anchor);
            break;
        default:
            break;
    }
}

void TrayController::KeyCommand(int keyCode) {
    if (keyCode == kKeyShutdown) {
        Raise(actions_.shutdownNow);
        return;
    }
    ShowMenuOnce(std::nullopt);
}

// A menu open already: the new request would rebuild and reopen the menu the user is
// looking at. Enter may report the icon twice; the second finds the menu open.
void TrayController::ShowMenuOnce(std::optional<TrayPoint> at) {
    if (menuOpen_) {
        return;
    }
    const ScopedFlag open(menuOpen_);
    const bool chosen = actions_.showMenu && actions_.showMenu(at);
    if (!chosen && at) {
        Raise(actions_.focusTray);
    }
}

}  // namespace rilto
