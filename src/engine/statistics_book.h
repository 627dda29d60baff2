#pragma once
// The day's figures as they happen: each count booked to the local calendar day on
// which it happens (also across midnight, or a sleep through it), and written to the
// store when it changed, at most once a minute and at the end, so that a crash loses a
// minute at most. Days more than 90 before the newest are dropped, as long as 90 are
// left.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/day_figures.h"
#include "common/settings_store.h"
#include "engine/clock.h"

namespace rilto {

inline constexpr int kDaysKept = 90;

// Where the scheduler and the exercise breaks report what happened.
class DayCounter {
  public:
    virtual ~DayCounter() = default;
    virtual void Count(DayCount what) = 0;
    // Today's count of `what` so far, stored or counted since.
    virtual std::int32_t CountedToday(DayCount what) = 0;
};

class StatisticsBook : public DayCounter {
  public:
    StatisticsBook(SettingsStore& store, Clock& clock);

    // One more of `what` today.
    void Count(DayCount what) override;
    std::int32_t CountedToday(DayCount what) override { return Day(TodayDate())[what]; }
    // The minute's write, and the last one: the days that changed, then days beyond the
    // 90 dropped.
    void Flush();
    // Today's figures, counted or stored.
    DayFigures Today();
    // Every stored day, oldest first, after writing what is pending.
    std::vector<DayFigures> StoredDays();
    // Today's local date, "YYYY-MM-DD".
    std::string TodayDate();
    // Told after each count, and when a write finds a new day begun.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

  private:
    DayFigures& Day(const std::string& date);
    void Trim();

    SettingsStore& store_;
    Clock& clock_;
    // The days counted since start-up, as stored plus the counts since; and which of
    // them changed since the last write.
    std::map<std::string, DayFigures> days_;
    std::map<std::string, bool> dirty_;
    std::string lastDate_;
    // The date of the last look for days beyond the 90.
    std::string trimmedOn_;
    std::function<void()> changed_;
};

}  // namespace rilto
