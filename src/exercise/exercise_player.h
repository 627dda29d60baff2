#pragma once
// What the exercise break flow needs of its two windows: the player frmX, which shows
// one exercise at a time, and the reminder frmChkExercise, which offers a break that
// is due.

#include <string>

namespace rilto {

class ExercisePlayer {
  public:
    virtual ~ExercisePlayer() = default;
    // A break starts: the surface black, the bar showing pause.
    virtual void PrepareBreak() = 0;
    // Shows the exercise's file; `first` when the flow moves forward, which also shows
    // the window in front, topmost. A file that cannot be shown leaves the surface empty.
    virtual void PresentExercise(const std::string& file, bool first) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void CloseVideo() = 0;
    // The break is over: the video closed, the window out of the way and hidden.
    virtual void ClosePlayer() = 0;
    // "Are you sure you want to quit the exercise break?"; true for Yes.
    virtual bool AskQuit() = 0;
};

class ExerciseReminder {
  public:
    virtual ~ExerciseReminder() = default;
    // Shows the reminder topmost without taking the focus, `minutes` in its box.
    virtual void Show(const std::string& minutes) = 0;
    // Closes it without asking anything back.
    virtual void Close() = 0;
    // "Later" usable, or greyed; as it is set before each showing.
    virtual void EnableLater(bool enabled) = 0;
};

}  // namespace rilto
