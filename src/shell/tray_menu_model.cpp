#include "shell/tray_menu_model.h"

#include "common/product.h"
#include "common/raise.h"
#include "common/scoped_flag.h"
#include "common/texts.h"
#include "exercise/scheme_store.h"
#include "shell/resource.h"
#include "shell/tray_tip.h"

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

TrayMenuItem Command(int id, const char* caption, bool enabled = true) {
    TrayMenuItem item;
    item.id = id;
    item.caption = caption;
    item.enabled = enabled;
    return item;
}

TrayMenuItem Separator() {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::Separator;
    return item;
}

TrayMenuItem PauseSubmenu() {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::Submenu;
    item.caption = "&Pause";
    item.items = {Command(IDM_PAUSE_30, "For &30 minutes"), Command(IDM_PAUSE_60, "For &1 hour"),
                  Command(IDM_PAUSE_120, "For &2 hours"),
                  Command(IDM_PAUSE_TOMORROW, "Until &tomorrow")};
    return item;
}

}  // namespace

std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuContent& content) {
    std::vector<TrayMenuItem> menu;
    menu.push_back(Command(IDM_POPUP_OPTIONS, "&Options...", content.optionsEnabled));
    menu.back().isDefault = true;
    menu.push_back(Command(IDM_POPUP_STATUS, "&Status..."));
    menu.push_back(Command(IDM_POPUP_ABOUT, "&About...", content.aboutEnabled));
    menu.push_back(Command(IDM_POPUP_STATISTICS, "S&tatistics..."));
    menu.push_back(Separator());
    menu.push_back(Command(IDM_DEMO_MICROPAUSE, "&Micropause Now!"));
    menu.push_back(Command(IDM_EXERCISE, "&Exercise Now!", content.exerciseEnabled));
    menu.push_back(Command(IDM_READING_MODE, "Rea&ding Mode"));
    menu.back().checked = content.readingMode;
    menu.push_back(Separator());
    int id = IDM_SCHEME_FIRST;
    for (const std::string& name : content.schemes) {
        if (id > IDM_SCHEME_LAST) {
            break;
        }
        menu.push_back(Command(id++, "", content.schemesEnabled));
        menu.back().caption = name;
    }
    menu.push_back(Separator());
    if (content.pausedUntil.empty()) {
        if (content.offHours) {
            // A line that says, not a command: it has no id.
            menu.push_back(Command(0, "", false));
            menu.back().caption = OffHoursText(content.offHoursUntil);
        }
        menu.push_back(PauseSubmenu());
    } else {
        menu.push_back(Command(IDM_RESUME, ""));
        menu.back().caption = kResumeBefore + content.pausedUntil + kResumeAfter;
    }
    menu.push_back(Command(IDM_SHUTDOWN_RILTO, "Sh&utdown Rilto"));
    return menu;
}

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
