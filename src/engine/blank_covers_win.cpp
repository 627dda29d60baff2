#include "engine/blank_covers_win.h"

#include "common/capture_exclusion_win.h"

namespace rilto {

namespace {
constexpr wchar_t kClass[] = L"RiltoBlankCover";
}  // namespace

bool BlankCovers::Cover::Create(const ScreenRect& place) {
    return RegisterWindowClass({kClass, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}) &&
           CreateWindowOf(kClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP,
                          RECT{place.left, place.top, place.right, place.bottom}, nullptr, 0);
}

LRESULT BlankCovers::Cover::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    // A click on a cover must not take the focus from the micropause screen.
    if (msg == WM_MOUSEACTIVATE) {
        return MA_NOACTIVATE;
    }
    return Default(msg, wp, lp);
}

void BlankCovers::Place(const std::vector<ScreenRect>& places) {
    covers_.clear();
    for (const ScreenRect& place : places) {
        auto cover = std::make_unique<Cover>();
        if (cover->Create(place)) {
            KeepOutOfCapture(cover->hwnd(), hideFromCapture_);
            covers_.push_back(std::move(cover));
        }
    }
}

void BlankCovers::Show() {
    for (const auto& cover : covers_) {
        SetWindowPos(cover->hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void BlankCovers::Remove() {
    covers_.clear();
}

}  // namespace rilto
