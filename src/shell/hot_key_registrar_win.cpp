#include "shell/hot_key_registrar_win.h"

#include <algorithm>

namespace rilto {

// The portable flags are Windows' own.
static_assert(kHotKeyAlt == MOD_ALT && kHotKeyCtrl == MOD_CONTROL && kHotKeyShift == MOD_SHIFT &&
              kHotKeyWin == MOD_WIN);
static_assert(kVkPause == VK_PAUSE && kVkSpace == VK_SPACE && kVkPageUp == VK_PRIOR &&
              kVkPageDown == VK_NEXT && kVkEnd == VK_END && kVkHome == VK_HOME &&
              kVkInsert == VK_INSERT && kVkDelete == VK_DELETE && kVkF1 == VK_F1 &&
              kVkF1 + kFunctionKeys - 1 == VK_F24);

WinHotKeyRegistrar::~WinHotKeyRegistrar() {
    for (const int id : held_) {
        UnregisterHotKey(window_, id);
    }
}

bool WinHotKeyRegistrar::Register(int id, const HotKey& key) {
    if (window_ == nullptr ||
        RegisterHotKey(window_, id, key.modifiers | MOD_NOREPEAT, key.vk) == FALSE) {
        return false;
    }
    held_.push_back(id);
    return true;
}

void WinHotKeyRegistrar::Unregister(int id) {
    const auto it = std::find(held_.begin(), held_.end(), id);
    if (it != held_.end()) {
        UnregisterHotKey(window_, id);
        held_.erase(it);
    }
}

}  // namespace rilto
