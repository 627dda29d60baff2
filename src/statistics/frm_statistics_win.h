#pragma once
// "Rilto Statistics": today's figures in words, a bar chart of the last 7 or 30 days
// (micropauses taken, skipped and natural stacked, exercise breaks marked), a button
// that copies every stored day as CSV, and Close. One window however often it is asked
// for; it reads the store afresh each time it is shown, so it shows what a restart
// would. Close and ESC destroy it; the next Show makes it again.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/day_figures.h"
#include "common/handles_win.h"
#include "common/window_win.h"
#include "statistics/statistics_view.h"

namespace rilto {

inline constexpr wchar_t kStatisticsTitle[] = L"Rilto Statistics";

// The window's controls.
inline constexpr int kStatisticsTodayId = 1001;
inline constexpr int kStatisticsWeekId = 1002;
inline constexpr int kStatisticsMonthId = 1003;
inline constexpr int kStatisticsCopyId = 1004;
inline constexpr int kStatisticsCloseId = IDCANCEL;  // so that ESC closes

class FrmStatistics : public Window {
  public:
    // Every stored day, read from the store each time; today's local date "YYYY-MM-DD".
    using StoreReader = std::function<std::vector<DayFigures>()>;
    using TodayReader = std::function<std::string()>;

    FrmStatistics(StoreReader readStore, TodayReader today);
    ~FrmStatistics() override { Destroy(); }

    // Makes the window and shows it, or brings the open one to the front; either way
    // with the store read afresh. False when Windows refuses.
    bool Show();
    // The store read afresh, and the window drawn again from it.
    void Refresh();
    bool IsOpen() const { return hwnd() != nullptr; }
    // The days the chart shows: kWeekSpan or kMonthSpan.
    int Span() const { return span_; }

    // For the program's message loop: Tab, the access keys and ESC. True when the
    // message was the window's.
    bool TranslateDialogMessage(MSG* msg);

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Create();
    void MakeControls();
    // The font and its measures for `dpi`, given to every control.
    void UseDpi(UINT dpi);
    // Every control from the client size; the chart takes what is left.
    void LayOutControls();
    void Paint(HDC dc, const RECT& client) const;
    void OnCommand(int id, int code);
    void ShowSpan(int span);
    void CopyEveryDay() const;
    int TextWidth(const wchar_t* text) const;
    SIZE WindowSizeFor(int clientWidth, int clientHeight) const;

    StoreReader readStore_;
    TodayReader today_;
    std::vector<DayFigures> stored_;
    std::string todayDate_;
    int span_ = kWeekSpan;

    UINT dpi_ = 96;
    UniqueGdi<HFONT> font_;
    ChartText text_;
    RECT chartArea_{};
    RECT legendArea_{};
};

}  // namespace rilto
