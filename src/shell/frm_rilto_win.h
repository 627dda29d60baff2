#pragma once
// frmRilto: the hidden main form. It hosts the hook window pichook (the program's
// address for other processes and the tray icon), the two scheduler timers, and
// the panel picBlack that makes it the micropause screen and the status window.

#include <windows.h>

#include <functional>
#include <string>

#include "engine/micropause_view.h"
#include "common/handles_win.h"

namespace rilto {

// What the form passes on to the program.
class FrmRiltoEvents {
  public:
    virtual ~FrmRiltoEvents() = default;
    // WM_KEYDOWN sent to pichook by another process.
    virtual void OnHookKey(unsigned keyCode) = 0;
    // The tray icon's callback: the mouse message that happened over the icon.
    virtual void OnTrayNotify(unsigned mouseMessage) = 0;
    virtual void OnTimer(UINT_PTR id) = 0;
    // A button or label of the form (IDOK, IDCANCEL, IDC_... with its notification).
    virtual void OnCommand(int id, int notification) = 0;
    // A top-level broadcast that the form receives (TaskbarCreated).
    virtual void OnBroadcast(UINT message) = 0;
    // Windows is ending the session.
    virtual void OnEndSession() = 0;
};

class FrmRilto : public MicropauseView {
  public:
    FrmRilto(HINSTANCE instance, FrmRiltoEvents& events);
    ~FrmRilto();
    FrmRilto(const FrmRilto&) = delete;
    FrmRilto& operator=(const FrmRilto&) = delete;

    // Creates the form hidden. False when Windows refuses.
    bool Create();

    HWND hwnd() const { return hwnd_; }
    HWND pichook() const { return pichook_; }
    HWND picBlack() const { return picBlack_; }
    // A control of the form or of its panel.
    HWND Control(int id) const;

    void SetCaption(int id, const std::string& text);
    // Paints picPB again: the progress bar draws through this.
    void SetProgressPainter(std::function<void(HWND, HDC)> painter);

    // Keyboard navigation of the form (ESC presses Cancel, Enter OK).
    bool PreTranslateMessage(MSG* msg);

    // Centres the panel in the client area; hides the form when it is minimised.
    void FormResize();

    // The micropause screen, as the scheduler drives it.
    void SetCaption(ViewLabel label, const std::string& text) override;
    void SetVisible(ViewControl control, bool visible) override;
    void SetWindowState(WindowState state) override;
    void Repaint() override;
    void ShowForm() override;
    void HideForm() override;
    void MakeTopmost() override;
    void SendToBottom() override;

    // The form's place when it is not maximised: centred on the screen.
    void SetNormalPlace(const RECT& place) { normalPlace_ = place; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static INT_PTR CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandlePanelColor(HDC dc);
    void RegisterClasses();
    void CreateFonts();

    HINSTANCE instance_;
    FrmRiltoEvents& events_;
    HWND hwnd_ = nullptr;
    HWND pichook_ = nullptr;
    HWND picBlack_ = nullptr;
    UINT taskbarCreated_ = 0;
    std::function<void(HWND, HDC)> progressPainter_;
    UniqueGdi<HBRUSH> panelBrush_;
    UniqueGdi<HFONT> warningFont_;
    RECT normalPlace_{};
    WindowState state_ = WindowState::Normal;
};

}  // namespace rilto
