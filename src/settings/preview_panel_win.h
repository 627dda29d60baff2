#pragma once
// picMovie: the preview of an exercise of the scheme page, a panel over the whole
// client area of the settings dialog with the surface `am` centred on black and
// "&Done". The preview's video plays on `am`.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "common/dialog_win.h"
#include "exercise/mci_video_win.h"

namespace rilto {

class PreviewPanel : public Dialog {
  public:
    PreviewPanel();
    ~PreviewPanel() override {
        video_.Close();
        Destroy();
    }

    // Made inside `host`, hidden. "&Done" raises `done`.
    bool Create(HWND host, std::function<void()> done);

    // The hourglass while the file opens, then the panel in front with the picture, or
    // the video playing at the largest size up to `viewAm` that fits; the focus on
    // "&Done".
    void Show(const std::string& file, std::int32_t viewAm, const std::string& programFolder);
    // The preview's video closed and the panel hidden. True when the
    // panel was showing.
    bool Close();
    bool Showing() const { return IsWindowVisible(hwnd()) != FALSE; }

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LaidOut(UINT dpi) override;
    // On the black, whatever the size of the picture or video.
    void Centre();
    RECT Room() const;

    std::function<void()> done_;
    // The preview surface, a child of the panel.
    MediaSurface am_;
    // The preview's own video device: a break may play its video meanwhile.
    VideoDevice video_{kPreviewVideoAlias};
};

}  // namespace rilto
