#include "shell/tray_menu_win.h"

#include <utility>

#include "common/raise.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "shell/resource.h"

namespace rilto {

namespace {

UINT EnabledFlag(bool enabled) {
    return enabled ? MF_ENABLED : MF_GRAYED;
}

UINT CheckedFlag(bool checked) {
    return checked ? MF_CHECKED : MF_UNCHECKED;
}

// The items that raise an event of their own, with nothing to tell it.
struct PlainItem {
    int id;
    std::function<void()> TrayMenuEvents::*event;
};
constexpr PlainItem kPlainItems[] = {
    {IDM_POPUP_OPTIONS, &TrayMenuEvents::options},
    {IDM_POPUP_STATUS, &TrayMenuEvents::status},
    {IDM_POPUP_ABOUT, &TrayMenuEvents::about},
    {IDM_POPUP_STATISTICS, &TrayMenuEvents::statistics},
    {IDM_DEMO_MICROPAUSE, &TrayMenuEvents::micropauseNow},
    {IDM_EXERCISE, &TrayMenuEvents::exerciseNow},
    {IDM_READING_MODE, &TrayMenuEvents::readingMode},
    {IDM_SHUTDOWN_RILTO, &TrayMenuEvents::shutdown},
    {IDM_PAUSE_TOMORROW, &TrayMenuEvents::pauseUntilTomorrow},
    {IDM_RESUME, &TrayMenuEvents::resume},
};

// The items of "&Pause" that pause for a while, and for how many minutes.
struct PauseItem {
    int id;
    int minutes;
};
constexpr PauseItem kPauseItems[] = {{IDM_PAUSE_30, 30}, {IDM_PAUSE_60, 60}, {IDM_PAUSE_120, 120}};

// The items appended to `menu` as the model lists them; false when Windows refuses one.
bool Append(HMENU menu, const std::vector<TrayMenuItem>& items) {
    for (const TrayMenuItem& item : items) {
        BOOL appended = FALSE;
        switch (item.kind) {
            case TrayMenuItem::Kind::Separator:
                appended = AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case TrayMenuItem::Kind::Submenu: {
                UniqueMenu submenu(CreatePopupMenu());
                if (!submenu || !Append(submenu.get(), item.items)) {
                    return false;
                }
                appended = AppendMenuW(menu, MF_STRING | MF_POPUP | EnabledFlag(item.enabled),
                                       reinterpret_cast<UINT_PTR>(submenu.get()),
                                       Widen(item.caption).c_str());
                if (appended) {
                    submenu.release();  // the menu destroys it with itself
                }
                break;
            }
            case TrayMenuItem::Kind::Command:
                appended = AppendMenuW(
                    menu, MF_STRING | EnabledFlag(item.enabled) | CheckedFlag(item.checked),
                    static_cast<UINT_PTR>(item.id), Widen(item.caption).c_str());
                if (appended && item.isDefault) {
                    SetMenuDefaultItem(menu, static_cast<UINT>(item.id), FALSE);
                }
                break;
        }
        if (!appended) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TrayMenu::Create(TrayMenuEvents events) {
    events_ = std::move(events);
    return true;
}

void TrayMenu::Load(const TrayMenuContent& content) {
    const std::vector<TrayMenuItem> items = TrayMenuItems(content);
    UniqueMenu popup(CreatePopupMenu());
    if (!popup || !Append(popup.get(), items)) {
        TraceLastError("the tray menu cannot be made");
        return;
    }
    menu_ = std::move(popup);
    schemes_.clear();
    for (const TrayMenuItem& item : items) {
        if (item.id >= IDM_SCHEME_FIRST && item.id <= IDM_SCHEME_LAST) {
            schemes_.push_back(item.caption);
        }
    }
}

bool TrayMenu::Show(HWND owner, HWND commandTarget, std::optional<POINT> place) {
    if (!menu_) {
        return false;
    }
    POINT at{};
    if (place) {
        at = *place;
    } else {
        GetCursorPos(&at);
    }
    // Without the foreground switch the menu would not close when the user clicks
    // elsewhere; without the null message the next menu would vanish at once.
    SetForegroundWindow(owner);
    const int chosen = TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                      at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen == 0) {
        return false;
    }
    PostMessageW(commandTarget, WM_COMMAND, static_cast<WPARAM>(chosen), 0);
    return true;
}

bool TrayMenu::Execute(int commandId) {
    for (const PlainItem& item : kPlainItems) {
        if (commandId == item.id) {
            Raise(events_.*item.event);
            return true;
        }
    }
    for (const PauseItem& item : kPauseItems) {
        if (commandId == item.id) {
            Raise(events_.pauseFor, item.minutes);
            return true;
        }
    }
    const int index = commandId - IDM_SCHEME_FIRST;
    if (index < 0 || index >= static_cast<int>(schemes_.size())) {
        return false;
    }
    Raise(events_.scheme, index + 1, schemes_[static_cast<std::size_t>(index)]);
    return true;
}

}  // namespace rilto
