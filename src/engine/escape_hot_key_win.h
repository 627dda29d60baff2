#pragma once
// ESC as a hot key of one window. While caught, ESC reaches the window as WM_HOTKEY
// wherever the keyboard focus is, in this program or another, so a screen that Windows
// kept out of the foreground still hears it. The micropause screen and the exercise
// player each own one for as long as they are up.

#include <windows.h>

namespace rilto {

class EscapeHotKey {
  public:
    // What WM_HOTKEY carries in its WPARAM for this key.
    static constexpr int kId = 1;
    static bool IsEscape(WPARAM id) { return id == static_cast<WPARAM>(kId); }

    EscapeHotKey() = default;
    ~EscapeHotKey() { Release(); }
    EscapeHotKey(const EscapeHotKey&) = delete;
    EscapeHotKey& operator=(const EscapeHotKey&) = delete;

    // ESC goes to `window` until Release. A key is one hot key's at a time: of the
    // owners on a thread that want ESC, the last to ask holds it, and the one before
    // gets it back when that one lets go. Another program may hold ESC already; then
    // ESC still reaches the window while it has the focus.
    void Catch(HWND window);
    void Release();
    // While a question of the window's is open, ESC and the other keys are the
    // question's: the key is let go until Resume, which catches it again unless the
    // owner has released it meanwhile.
    void Suspend();
    void Resume();

  private:
    void Take();
    void Drop();

    HWND window_ = nullptr;
    bool wanted_ = false;
    bool suspended_ = false;
    bool held_ = false;
};

}  // namespace rilto
