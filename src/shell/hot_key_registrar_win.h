#pragma once
// The global hot keys of one window, registered with Windows. Each is let go when asked,
// and every one still held when this goes, so that no key outlives the program's use of it.

#include <windows.h>

#include <vector>

#include "shell/hot_keys.h"

namespace rilto {

class WinHotKeyRegistrar : public HotKeyRegistrar {
  public:
    WinHotKeyRegistrar() = default;
    ~WinHotKeyRegistrar() override;
    WinHotKeyRegistrar(const WinHotKeyRegistrar&) = delete;
    WinHotKeyRegistrar& operator=(const WinHotKeyRegistrar&) = delete;

    // The window WM_HOTKEY goes to; keys are registered only once it is given.
    void Attach(HWND window) { window_ = window; }

    // Held down, the key fires once: MOD_NOREPEAT.
    bool Register(int id, const HotKey& key) override;
    void Unregister(int id) override;

  private:
    HWND window_ = nullptr;
    std::vector<int> held_;
};

}  // namespace rilto
