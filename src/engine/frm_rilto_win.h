#pragma once
// frmRilto: the main form. Hidden except as the micropause screen (topmost, over the
// whole primary monitor when blanking, with black covers over the others) or as the
// status window (centred on the primary monitor). It hosts the panel picBlack, the
// scheduler's timers and, as a child that the shell adds, the hook window.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/window_win.h"
#include "engine/blank_covers_win.h"
#include "engine/escape_hot_key_win.h"
#include "engine/micropause_panel_win.h"
#include "engine/micropause_view.h"
#include "engine/progress_bar.h"
#include "engine/progress_canvas_gdi_win.h"
#include "engine/system_notice.h"

namespace rilto {

struct FrmRiltoEvents {
    // ESC, wherever the focus is while the screen catches it, or in the form.
    std::function<void()> escapePressed;
    // OK, or Enter in the form.
    std::function<void()> statusOk;
    // Alt+F4, or anything else that asks the window to close.
    std::function<void()> closeRequested;
    // A double click on the skip hint.
    std::function<void()> skipRequested;
    // A double click on the last natural micropause.
    std::function<void()> diagnosticsRequested;
    // Explorer made a new taskbar (it restarted): the tray icon must be added again.
    std::function<void()> taskbarCreated;
    // Windows is ending the session.
    std::function<void()> sessionEnding;
    // A power or session notice that counts: the machine is about to sleep or woke, the
    // session was locked or unlocked.
    std::function<void(SystemNotice)> systemNotice;
    // The clock was set, or a setting changed that may be the time zone.
    std::function<void()> timeChanged;
    // A global hot key of the form other than ESC, by the id it was registered with.
    std::function<void(int)> hotKey;
};

// The form hears the session's lock and unlock while this lasts.
class SessionNotifications {
  public:
    SessionNotifications() = default;
    SessionNotifications(const SessionNotifications&) = delete;
    SessionNotifications& operator=(const SessionNotifications&) = delete;
    ~SessionNotifications() { Unregister(); }
    void Register(HWND hwnd);
    void Unregister();

  private:
    HWND hwnd_ = nullptr;
};

class FrmRilto : public Window, public MicropauseView {
  public:
    FrmRilto() = default;
    ~FrmRilto() override {
        escape_.Release();
        sessions_.Unregister();
        Destroy();
    }

    // Creates the form hidden and laid out. False when Windows refuses.
    bool Create(FrmRiltoEvents events);

    MicropausePanel& Panel() { return panel_; }
    // The micropause's bar drawn on the screen's canvas, hidden until a micropause; its
    // blocks follow the canvas's width (a new DPI), or the bar would look full long
    // before the micropause ends.
    void BindProgressBar(CProgressBar& bar);
    // Keyboard navigation in the form: Enter is OK, ESC is Cancel, Tab moves on.
    bool TranslateDialogMessage(MSG* msg);
    // The status window: shown where it belongs now, in front.
    void ShowStatusWindow();
    // The micropause screen and its covers are left out of screen capture, or not.
    void HideFromCapture(bool hide);

    // The micropause screen, as the scheduler drives it.
    void SetCaption(ViewLabel label, const std::string& text) override;
    void SetVisible(ViewControl control, bool visible) override;
    void SetWindowState(WindowState state) override;
    void Repaint() override;
    void ShowForm() override;
    void HideForm() override;
    void MakeTopmost() override;
    void SendToBottom() override;
    void CatchEscape(bool on) override;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // Places the form for its window state on the monitors as they are now.
    void Place();
    // The resize rule: the panel centred in the client area; a minimised form hides.
    void FormResize();
    void OnDpiChanged(UINT dpi);
    void OnPanelResized();

    FrmRiltoEvents events_;
    MicropausePanel panel_;
    BlankCovers covers_;
    HWND cmdCancel_ = nullptr;
    UINT taskbarCreated_ = 0;
    WindowState state_ = WindowState::Normal;
    // ESC during a micropause, wherever the focus is.
    EscapeHotKey escape_;
    SessionNotifications sessions_;
    std::unique_ptr<GdiProgressCanvas> canvas_;
    // Windows reports a new DPI while Place moves the form: place it again after.
    bool placing_ = false;
    bool placeAgain_ = false;
};

}  // namespace rilto
