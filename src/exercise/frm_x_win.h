#pragma once
// frmX: the exercise player, "Exercises". An exercise break shows its exercises in it one
// at a time, a picture or a looping video on the surface amx, with the media bar below.
// Blanking, it fills the monitor in black with the exercise in the middle; otherwise it
// is just large enough and stays centred. Made once, hidden between breaks.

#include <windows.h>

#include <functional>
#include <string>

#include "common/settings.h"
#include "common/window_win.h"
#include "engine/escape_hot_key_win.h"
#include "exercise/exercise_player.h"
#include "exercise/media_bar_win.h"
#include "exercise/mci_video_win.h"

namespace rilto {

struct FrmXEvents {
    // A click on the exercise, or next.
    std::function<void()> skip;
    // A double click on the exercise (its first click has raised skip).
    std::function<void()> endBreak;
    std::function<void()> previous;
    // Play or pause; the bar shows the other one already.
    std::function<void()> toggleCountdown;
    // Stop, ESC wherever the focus is while a break shows, or the close box; none while
    // the quit question is open.
    std::function<void()> stop;
};

// picBlack: the black behind the surface and the bar.
class BlackBackdrop : public Window {
  public:
    BlackBackdrop() = default;
    ~BlackBackdrop() override { Destroy(); }
    bool Create(HWND parent, int childId);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override { return Default(msg, wp, lp); }
};

class FrmX : public Window, public ExercisePlayer {
  public:
    // Reads BlankX and ViewAm from `settings` each time it shows an exercise; media
    // files without a folder lie in `programFolder`.
    FrmX(const Settings& settings, std::string programFolder);
    ~FrmX() override {
        escape_.Release();
        video_.Close();
        Destroy();
    }

    // Creates the window hidden. False when Windows refuses.
    bool Create(FrmXEvents events);

    // For the message loop, before a message is dispatched: clicks on the exercise (the
    // video window is the video device's, and its clicks never reach the surface), ESC
    // and keyboard navigation. True when the message is taken.
    bool PreTranslate(MSG* msg);

    void PrepareBreak() override;
    void PresentExercise(const std::string& file, bool first) override;
    void SetCaption(const std::string& text) override;
    void CloseVideo() override;
    void ClosePlayer() override;
    bool AskQuit() override;

    const MediaSurface& Surface() const { return amx_; }
    MediaBar& Bar() { return bar_; }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void SurfaceClicked(const MSG& msg);
    // A stop asked for, unless the quit question is open already.
    void RequestStop();
    // The surface, the bar and the backdrop where the mode puts them in the client area.
    void LayOut();
    // Normal mode: the client area just holds the surface and the bar below it.
    void FitToContent();
    void KeepCentred();
    // Blanking without a window manager, maximising may leave the window as it was.
    bool CoversWorkArea() const;
    void CoverWorkArea();
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    const Settings& settings_;
    std::string programFolder_;
    FrmXEvents events_;
    BlackBackdrop picBlack_;
    MediaSurface amx_;
    VideoDevice video_{kPlayerVideoAlias};
    MediaBar bar_;
    // ESC from anywhere while the player is up for a break, so that it still reaches the
    // break when Windows keeps the foreground with another program.
    EscapeHotKey escape_;
    bool asking_ = false;
    bool blank_ = false;
    bool covering_ = false;
    bool coverPosted_ = false;
    // The last click on the exercise that could begin a double click.
    bool clickPending_ = false;
    DWORD clickTime_ = 0;
    POINT clickPoint_{};
};

}  // namespace rilto
