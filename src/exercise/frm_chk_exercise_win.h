#pragma once
// frmChkExercise: the reminder that an exercise break is due, a modeless dialog made
// once from its template. It comes up topmost near the tray without taking the focus,
// so that typing goes on where it was, and offers the break now or later by a number
// of minutes.

#include <windows.h>

#include <functional>
#include <string>

#include "common/dialog_win.h"
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

class FrmChkExercise : public Dialog, public ExerciseReminder {
  public:
    FrmChkExercise();

    // Creates the reminder hidden. False when Windows refuses.
    bool Create(FrmChkExerciseEvents events);

    void Show(const std::string& minutes) override;
    void Close() override;
    void EnableLater(bool enabled) override;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnInitDialog();
    bool OnCommand(int id);
    // Laid out for the primary monitor, at the bottom right of its work area.
    void PlaceNearTray();
    void StepMinutes(int delta);
    std::string MinutesText() const;

    FrmChkExerciseEvents events_;
};

}  // namespace rilto
