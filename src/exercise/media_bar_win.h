#pragma once
// The exercise player's button bar: previous, next, play or pause (one place, one of
// the two shown at a time) and stop, drawn as the usual media symbols at the monitor's
// DPI, each with its tooltip.

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>

#include "common/handles_win.h"
#include "common/window_win.h"

namespace rilto {

enum class MediaButton { Previous, Next, Play, Pause, Stop };
inline constexpr std::size_t kMediaButtons = 5;

struct MediaBarEvents {
    std::function<void()> previous;
    std::function<void()> next;
    // Play and pause have switched places when these are raised.
    std::function<void()> play;
    std::function<void()> pause;
    std::function<void()> stop;
};

class MediaBar : public Window {
  public:
    MediaBar() = default;
    ~MediaBar() override { Destroy(); }

    // Created visible, laid out for `dpi`, showing pause.
    bool Create(HWND parent, int childId, UINT dpi, MediaBarEvents events);

    // Play shown in the shared place, or pause; the focus follows to the one shown.
    void ShowPlay(bool play);
    bool ShowsPlay() const;
    void SetDpi(UINT dpi);
    // What lies behind the buttons.
    void SetBackground(COLORREF color);
    SIZE Size() const { return size_; }
    HWND Button(MediaButton button) const { return buttons_[Index(button)]; }

  private:
    static std::size_t Index(MediaButton button) { return static_cast<std::size_t>(button); }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool CreateButtons();
    void LayOut();
    void Draw(const DRAWITEMSTRUCT& item) const;
    void Clicked(MediaButton button);

    MediaBarEvents events_;
    std::array<HWND, kMediaButtons> buttons_{};
    UniqueWindow tooltip_;
    UniqueGdi<HBRUSH> background_;
    UINT dpi_ = 96;
    SIZE size_{};
};

}  // namespace rilto
