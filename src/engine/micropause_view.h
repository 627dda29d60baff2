#pragma once
// What the scheduler needs of the main form frmRilto: the status labels, the parts
// of the micropause screen, and the window's place on the screen. The form
// implements it; the scheduler decides when each of these happens.

#include <string>

namespace rilto {

// Labels of the form whose captions the scheduler writes.
enum class ViewLabel {
    lblExercise,   // exercise countdown
    lblvoluntary,  // last natural micropause
    lblrilto,      // last forced micropause
    lblESC,        // the skip hint, or the diagnostic numbers
};

// Controls of the form that the scheduler shows and hides.
enum class ViewControl {
    cmdOK,     // the status window's OK button
    picPB,     // the progress bar's canvas
    lblESC,    // the skip hint
    picBlack,  // the panel that holds everything visible
};

enum class WindowState { Normal, Maximised };

class MicropauseView {
  public:
    virtual ~MicropauseView() = default;

    virtual void SetCaption(ViewLabel label, const std::string& text) = 0;
    virtual void SetVisible(ViewControl control, bool visible) = 0;
    // The form's window state. A hidden form stays hidden and takes the state when it
    // is shown; the panel is centred again at once (the form's resize rule).
    virtual void SetWindowState(WindowState state) = 0;
    // Paints the form, then the panel, at once.
    virtual void Repaint() = 0;
    // Shows the form, not modal.
    virtual void ShowForm() = 0;
    virtual void HideForm() = 0;
    // Top of the z-order, above ordinary windows, without moving or sizing.
    virtual void MakeTopmost() = 0;
    // Bottom of the z-order, without moving or sizing.
    virtual void SendToBottom() = 0;
    // While on, ESC ends the micropause wherever the keyboard focus is, even in another
    // program (Windows may refuse the screen the focus); while off, ESC is the other
    // programs' again.
    virtual void CatchEscape(bool on) = 0;
};

}  // namespace rilto
