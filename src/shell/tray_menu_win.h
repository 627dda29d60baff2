#pragma once
// mnuPopup, the tray icon's menu, made afresh before every display from the items the
// model lists, separators and scheme items included. A chosen command is posted as
// WM_COMMAND to a window of the program, which hands it to Execute once the menu is gone;
// each item then raises its own event.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "shell/tray_menu_model.h"

namespace rilto {

struct TrayMenuEvents {
    std::function<void()> options;
    std::function<void()> status;
    std::function<void()> about;
    std::function<void()> statistics;
    std::function<void()> micropauseNow;
    std::function<void()> exerciseNow;
    std::function<void()> readingMode;
    // mnuX(i): the scheme's place in the list (from 1) and its name.
    std::function<void(int, const std::string&)> scheme;
    std::function<void()> shutdown;
    // "&Pause": its items, and "&Resume (paused until hh:nn)".
    std::function<void(int minutes)> pauseFor;
    std::function<void()> pauseUntilTomorrow;
    std::function<void()> resume;
};

class TrayMenu {
  public:
    TrayMenu() = default;
    TrayMenu(const TrayMenu&) = delete;
    TrayMenu& operator=(const TrayMenu&) = delete;

    // Takes the events the items raise.
    bool Create(TrayMenuEvents events);
    // The menu made anew with the items as the next display shows them.
    void Load(const TrayMenuContent& content);
    // Opens the menu at `at`, or at the mouse pointer when there is none, for `owner`, a
    // top-level window of the program; returns when it closes: whether an item was
    // chosen. The chosen command is posted to `commandTarget`.
    bool Show(HWND owner, HWND commandTarget, std::optional<POINT> at);
    // A command of the menu: its event is raised. False when the id is none of its items'.
    bool Execute(int commandId);

    // The menu the next display shows; null before the first Load.
    HMENU Handle() const { return menu_.get(); }

  private:
    TrayMenuEvents events_;
    UniqueMenu menu_;
    // The scheme items' names, by their place from IDM_SCHEME_FIRST.
    std::vector<std::string> schemes_;
};

}  // namespace rilto
