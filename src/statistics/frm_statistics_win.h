#pragma once
// "Rilto Statistics": today's figures in words, a bar chart of the last 7 or 30 days
// (micropauses taken, skipped and natural stacked, exercise breaks marked; with a daily
// limit, each day's active time and the limit on a scale of their own), a button
// that copies every stored day as CSV, and Close. One window however often it is asked
// for; it reads the store afresh each time it is shown, so it shows what a restart
// would. Close and ESC destroy it; the next Show makes it again. A dialog from its
// template that the user may size, down to a least size.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/day_figures.h"
#include "common/dialog_win.h"
#include "statistics/frm_statistics_ids.h"
#include "statistics/statistics_view.h"

namespace rilto {

// The template's caption.
inline constexpr wchar_t kStatisticsTitle[] = L"Rilto Statistics";

// The window's controls.
inline constexpr int kStatisticsTodayId = IDC_STATISTICS_TODAY;
inline constexpr int kStatisticsWeekId = IDC_STATISTICS_WEEK;
inline constexpr int kStatisticsMonthId = IDC_STATISTICS_MONTH;
inline constexpr int kStatisticsCopyId = IDC_STATISTICS_COPY;
inline constexpr int kStatisticsCloseId = IDCANCEL;  // so that ESC closes

class FrmStatistics : public Dialog {
  public:
    // Every stored day, read from the store each time; today's local date "YYYY-MM-DD".
    using StoreReader = std::function<std::vector<DayFigures>()>;
    using TodayReader = std::function<std::string()>;
    // The daily limit in minutes, while it is on: the chart draws it as a line.
    using LimitReader = std::function<std::optional<int>()>;

    FrmStatistics(StoreReader readStore, TodayReader today, LimitReader limit = {});
    ~FrmStatistics() override { Destroy(); }

    // Makes the window and shows it, or brings the open one to the front; either way
    // with the store read afresh. False when Windows refuses.
    bool Show();
    // The store read afresh, and the window drawn again from it.
    void Refresh();
    bool IsOpen() const { return hwnd() != nullptr; }
    // The days the chart shows: kWeekSpan or kMonthSpan.
    int Span() const { return span_; }

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LaidOut(UINT dpi) override;
    void OnInitDialog();
    void OnCommand(int id, int code);
    // The chart's measures of its font.
    void MeasureText();
    // Today's words on as many lines as they take at the label's width; the radio
    // buttons and the chart's top follow the label's bottom.
    void FitTodayWords();
    void DrawChart(const DRAWITEMSTRUCT& item) const;
    // The chart, its scale and day labels, and its legend along the bottom of `area`.
    void Paint(HDC dc, const RECT& area) const;
    void ShowSpan(int span);
    void CopyEveryDay() const;

    StoreReader readStore_;
    TodayReader today_;
    LimitReader limit_;
    std::vector<DayFigures> stored_;
    std::optional<int> limitMinutes_;
    std::string todayDate_;
    int span_ = kWeekSpan;

    UINT dpi_ = 0;  // of the last layout; 0 before the first
    ChartText text_;
};

}  // namespace rilto
