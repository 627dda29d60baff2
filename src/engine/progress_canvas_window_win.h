#pragma once
// picPB: the window the progress bar draws on. It paints the whole bar again whenever
// Windows asks, and keeps a device context of its own for the bar's frequent redraws.

#include <windows.h>

#include <functional>

#include "common/window_win.h"

namespace rilto {

class ProgressCanvasWindow : public Window {
  public:
    ProgressCanvasWindow() = default;
    ~ProgressCanvasWindow() override { Destroy(); }

    bool Create(HWND parent, int id);
    // What a paint does, with the paint's device context.
    void OnPaint(std::function<void(HDC)> painter) { painter_ = std::move(painter); }
    // What a change of size does: the bar lays its blocks out again.
    void OnResize(std::function<void()> resized) { resized_ = std::move(resized); }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    std::function<void(HDC)> painter_;
    std::function<void()> resized_;
};

}  // namespace rilto
