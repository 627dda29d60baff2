#pragma once
// The black covers over every monitor but the one the micropause screen is on, so that
// a blanked micropause leaves no screen to work on.

#include <windows.h>

#include <memory>
#include <vector>

#include "common/window_win.h"
#include "engine/screen_layout.h"

namespace rilto {

class BlankCovers {
  public:
    // Covers for these places, made now and hidden; the ones before go.
    void Place(const std::vector<ScreenRect>& places);
    // Shown topmost without taking the focus.
    void Show();
    // Gone until they are placed again.
    void Remove();
    std::size_t Count() const { return covers_.size(); }
    // Covers placed from now on are left out of screen capture, or not.
    void HideFromCapture(bool hide) { hideFromCapture_ = hide; }

  private:
    class Cover : public Window {
      public:
        bool Create(const ScreenRect& place);
        LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    };
    std::vector<std::unique_ptr<Cover>> covers_;
    bool hideFromCapture_ = false;
};

}  // namespace rilto
