#pragma once
// "Rilto Daily Limit": a small modeless dialog, made once from its template, that says how
// long the user was active today and what the limit is. It comes up topmost at the bottom
// right of the work area of the monitor the pointer is on, without taking the focus from
// the program in front, and offers "&Stop for today" and "Re&mind me later"; its close box
// and ESC are "Remind me later".

#include <windows.h>

#include <cstdint>
#include <functional>

#include "common/dialog_win.h"
#include "engine/daily_limit.h"

namespace rilto {

// The template's caption.
inline constexpr wchar_t kDailyLimitTitle[] = L"Rilto Daily Limit";

struct FrmDailyLimitEvents {
    std::function<void()> stopForToday;
    std::function<void()> remindMeLater;
};

class FrmDailyLimit : public Dialog, public DailyLimitView {
  public:
    FrmDailyLimit();
    ~FrmDailyLimit() override { Destroy(); }

    // Makes the window hidden. False when Windows refuses.
    bool Create(FrmDailyLimitEvents events);

    void ShowDailyLimit(std::int32_t workedMinutes, std::int32_t limitMinutes) override;
    void CloseDailyLimit() override;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id);
    // Laid out for the monitor under the pointer, at the bottom right of its work area.
    void PlaceInCorner();

    FrmDailyLimitEvents events_;
};

}  // namespace rilto
