#pragma once
// mnuPopup, the tray icon's menu.

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles_win.h"

namespace rilto {

class TrayMenu {
  public:
    explicit TrayMenu(HINSTANCE instance);

    // Replaces the scheme items with one item per name.
    void SetSchemeItems(const std::vector<std::string>& names);
    // Items whose commands the program cannot carry out are shown greyed.
    void SetEnabled(UINT id, bool enabled);
    void SetSchemesEnabled(bool enabled);
    // Opens the menu at the mouse pointer; returns when it closes. The chosen
    // command arrives at `owner` as WM_COMMAND afterwards.
    void Show(HWND owner);

    HMENU Popup() const { return popup_; }

  private:
    UniqueMenu menu_;
    HMENU popup_ = nullptr;
    bool schemesEnabled_ = true;
};

}  // namespace rilto
