#pragma once
// frmChkExercise: the reminder that an exercise break is due. It comes up topmost near
// the tray without taking the focus, so that typing goes on where it was, and offers
// the break now or later by a number of minutes.

#include <windows.h>

#include <functional>
#include <string>

#include "common/handles_win.h"
#include "common/window_win.h"
#include "exercise/exercise_player.h"

namespace rilto {

struct FrmChkExerciseEvents {
    // "Exercise Now..."; false when the break cannot start now (the reminder stays).
    std::function<bool()> exerciseNow;
    // "Later", with the text of the minutes box.
    std::function<void(const std::string&)> later;
    // The close box or ESC: closed without an answer.
    std::function<void()> closed;
};

class FrmChkExercise : public Window, public ExerciseReminder {
  public:
    FrmChkExercise() = default;
    ~FrmChkExercise() override { Destroy(); }

    bool Create(FrmChkExerciseEvents events);
    // Tab, Enter and ESC in the reminder, once the user has clicked into it.
    bool TranslateDialogMessage(MSG* msg);

    void Show(const std::string& minutes) override;
    void Close() override;

    HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool CreateControls();
    // Fonts and places for the monitor the reminder is on.
    void LayOut();
    void PlaceNearTray();
    void StepMinutes(int delta);
    std::string MinutesText() const;

    FrmChkExerciseEvents events_;
    UniqueGdi<HFONT> font_;
    UINT dpi_ = 96;
};

}  // namespace rilto
