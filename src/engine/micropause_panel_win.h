#pragma once
// picBlack: the panel of the micropause screen and status window. It holds the logo,
// the message, the progress bar's canvas, the skip hint, the status lines, OK and the
// version; it sizes every label to its text at the monitor's DPI and lays itself out
// again when a text or the DPI changes.

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "common/handles_win.h"
#include "common/window_win.h"
#include "engine/micropause_panel_layout.h"
#include "engine/progress_canvas_window_win.h"

namespace rilto {

struct MicropausePanelEvents {
    std::function<void()> okClicked;
    std::function<void()> escapeHintDoubleClicked;
    std::function<void()> voluntaryDoubleClicked;
    // The panel's size changed: the form centres it again.
    std::function<void()> resized;
};

class MicropausePanel : public Window {
  public:
    MicropausePanel() = default;
    ~MicropausePanel() override { Destroy(); }

    bool Create(HWND form, UINT dpi, MicropausePanelEvents events);

    HWND Control(PanelItem item) const { return controls_[Index(item)]; }
    ProgressCanvasWindow& Canvas() { return canvas_; }
    // The caption as the label shows it ("&&" for an ampersand); the panel lays itself
    // out again when the text needs another size.
    void SetCaption(PanelItem item, const std::string& text);
    void SetVisible(PanelItem item, bool visible);
    // Fonts, logo and layout for a monitor of this DPI.
    void SetDpi(UINT dpi);
    UINT Dpi() const { return dpi_; }
    SIZE Size() const { return {layout_.width, layout_.height}; }

  private:
    static std::size_t Index(PanelItem item) { return static_cast<std::size_t>(item); }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool CreateControls();
    void MakeFontsAndLogo();
    void LayOut();

    MicropausePanelEvents events_;
    std::array<HWND, kPanelItems> controls_{};
    ProgressCanvasWindow canvas_;
    UINT dpi_ = 96;
    UniqueGdi<HFONT> textFont_;
    UniqueGdi<HFONT> warningFont_;
    UniqueIcon logo_;
    UniqueGdi<HBRUSH> background_;
    PanelLayout layout_;
};

}  // namespace rilto
