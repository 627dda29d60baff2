#pragma once
// The running program's settings dialog, "Rilto Options", as another program finds and
// works it: opened from the tray, its controls by identifier, clicked with the mouse.

#include <windows.h>
#include <commctrl.h>

#include "settings/frm_settings_ids.h"
#include "support/rilto_test.h"

namespace harness {

class SettingsWindowTest : public RiltoTest {
  protected:
    static constexpr DWORD kWait = kShowWait;

    HWND Dialog() {
        const HWND d = FindProcessWindow(running_.Id(), L"Rilto Options");
        return d != nullptr && IsWindowVisible(d) ? d : nullptr;
    }
    // Shown and laid out: the curtain that hides the layout is gone.
    HWND WaitForDialog() {
        WaitUntil(
            [&] {
                return Dialog() != nullptr && Control(IDC_PICHIDE) != nullptr &&
                       !IsWindowVisible(Control(IDC_PICHIDE));
            },
            kWait);
        PumpFor(500);
        return Dialog();
    }
    HWND Control(int id) { return DescendantWithId(Dialog(), id); }
    // The options opened from the tray, on the "Exercise Schemes" page.
    void OpenSchemePage() {
        Command(IDM_POPUP_OPTIONS);
        ASSERT_NE(WaitForDialog(), nullptr);
        SendMessageW(Control(IDC_TS), TCM_SETCURFOCUS, 2, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(IDC_PICTS0 + 2)); }, kWait));
        PumpFor(300);
    }
    void Click(int id) {
        const POINT at = CentreOf(Control(id));
        ClickAt(at.x, at.y, false);
        PumpFor(200);
    }
    bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // A dialog of the program with this title, once it shows.
    HWND WaitForDialogTitled(const std::wstring& title) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindDialog(running_.Id(), title)) != nullptr; }, kWait);
        PumpFor(300);
        return found;
    }
};

}  // namespace harness
