#include "shell/tray_menu_win.h"

#include <utility>

#include "common/raise.h"
#include "common/texts.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "shell/resource.h"

namespace rilto {

namespace {

// mnuPopupDash3: the scheme items follow it.
constexpr int kSchemeItemsStart = 7;

UINT EnabledFlag(bool enabled) {
    return enabled ? MF_ENABLED : MF_GRAYED;
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

int PositionOf(HMENU menu, UINT id) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        if (GetMenuItemID(menu, i) == id) {
            return i;
        }
    }
    return -1;
}

}  // namespace

bool TrayMenu::Create(TrayMenuEvents events) {
    events_ = std::move(events);
    menu_.reset(LoadMenuW(ThisModule(), MAKEINTRESOURCEW(IDM_POPUP)));
    if (!menu_) {
        TraceLastError("the tray menu cannot be loaded");
        return false;
    }
    popup_ = GetSubMenu(menu_.get(), 0);
    SetMenuDefaultItem(popup_, IDM_POPUP_OPTIONS, FALSE);
    // "&Pause", the one submenu, just above "Sh&utdown Rilto".
    const int pause = PositionOf(popup_, IDM_SHUTDOWN_RILTO) - 1;
    pauseMenu_.reset(pause >= 0 ? GetSubMenu(popup_, pause) : nullptr);
    if (pauseMenu_) {
        wchar_t caption[64] = L"";
        GetMenuStringW(popup_, static_cast<UINT>(pause), caption, ARRAYSIZE(caption),
                       MF_BYPOSITION);
        pauseCaption_ = caption;
    }
    return true;
}

TrayMenu::~TrayMenu() {
    if (popup_ != nullptr) {
        TakeOutPauseItem();  // the menu would destroy the submenu with it
    }
}

void TrayMenu::TakeOutPauseItem() {
    for (int i = GetMenuItemCount(popup_) - 1; i >= 0; --i) {
        const bool submenu = pauseMenu_ && GetSubMenu(popup_, i) == pauseMenu_.get();
        if (submenu || GetMenuItemID(popup_, i) == IDM_RESUME) {
            RemoveMenu(popup_, static_cast<UINT>(i), MF_BYPOSITION);
        }
    }
}

void TrayMenu::Load(const TrayMenuContent& content) {
    if (popup_ == nullptr) {
        return;
    }
    for (UINT id = IDM_SCHEME_FIRST; id <= IDM_SCHEME_LAST; ++id) {
        if (!DeleteMenu(popup_, id, MF_BYCOMMAND)) {
            break;  // the first index that does not exist
        }
    }
    schemes_.clear();
    UINT position = kSchemeItemsStart;
    for (const std::string& name : content.schemes) {
        const UINT id = IDM_SCHEME_FIRST + static_cast<UINT>(schemes_.size());
        if (id > IDM_SCHEME_LAST) {
            break;
        }
        InsertMenuW(popup_, position++,
                    MF_BYPOSITION | MF_STRING | EnabledFlag(content.schemesEnabled), id,
                    Widen(name).c_str());
        schemes_.push_back(name);
    }

    TakeOutPauseItem();
    const auto above = static_cast<UINT>(PositionOf(popup_, IDM_SHUTDOWN_RILTO));
    if (!content.pausedUntil.empty()) {
        const std::string resume = kResumeBefore + content.pausedUntil + kResumeAfter;
        InsertMenuW(popup_, above, MF_BYPOSITION | MF_STRING, IDM_RESUME, Widen(resume).c_str());
    } else if (pauseMenu_) {
        InsertMenuW(popup_, above, MF_BYPOSITION | MF_STRING | MF_POPUP,
                    reinterpret_cast<UINT_PTR>(pauseMenu_.get()), pauseCaption_.c_str());
    }

    EnableMenuItem(popup_, IDM_POPUP_OPTIONS, EnabledFlag(content.optionsEnabled));
    EnableMenuItem(popup_, IDM_POPUP_ABOUT, EnabledFlag(content.aboutEnabled));
    EnableMenuItem(popup_, IDM_EXERCISE, EnabledFlag(content.exerciseEnabled));
}

bool TrayMenu::Show(HWND owner, HWND commandTarget, std::optional<POINT> place) {
    if (popup_ == nullptr) {
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
    const int chosen = TrackPopupMenu(popup_, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                                      at.y, 0, owner, nullptr);
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
