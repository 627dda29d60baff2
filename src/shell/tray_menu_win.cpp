#include "shell/tray_menu_win.h"

#include "shell/resource.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {
// mnuPopupDash3: the scheme items follow it.
constexpr int kSchemeItemsStart = 7;
}  // namespace

TrayMenu::TrayMenu(HINSTANCE instance) : menu_(LoadMenuW(instance, MAKEINTRESOURCEW(IDM_POPUP))) {
    if (menu_) {
        popup_ = GetSubMenu(menu_.get(), 0);
        SetMenuDefaultItem(popup_, IDM_POPUP_OPTIONS, FALSE);
    }
}

void TrayMenu::SetSchemeItems(const std::vector<std::string>& names) {
    if (popup_ == nullptr) {
        return;
    }
    for (UINT id = IDM_SCHEME_FIRST; id <= IDM_SCHEME_LAST; ++id) {
        if (!DeleteMenu(popup_, id, MF_BYCOMMAND)) {
            break;  // the first index that does not exist
        }
    }
    UINT position = kSchemeItemsStart;
    UINT id = IDM_SCHEME_FIRST;
    for (const auto& name : names) {
        if (id > IDM_SCHEME_LAST) {
            break;
        }
        const UINT state = schemesEnabled_ ? MF_ENABLED : MF_GRAYED;
        InsertMenuW(popup_, position++, MF_BYPOSITION | MF_STRING | state, id++,
                    Widen(name).c_str());
    }
}

void TrayMenu::SetEnabled(UINT id, bool enabled) {
    if (popup_ != nullptr) {
        EnableMenuItem(popup_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void TrayMenu::SetSchemesEnabled(bool enabled) {
    schemesEnabled_ = enabled;
    for (UINT id = IDM_SCHEME_FIRST; id <= IDM_SCHEME_LAST; ++id) {
        if (EnableMenuItem(popup_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED)) == -1) {
            break;
        }
    }
}

void TrayMenu::Show(HWND owner) {
    if (popup_ == nullptr) {
        return;
    }
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground switch the menu would not close when the user clicks
    // elsewhere; without the null message the next menu would vanish at once.
    SetForegroundWindow(owner);
    TrackPopupMenu(popup_, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace rilto
