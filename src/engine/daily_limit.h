#pragma once
// The daily limit: when the day's active minutes (the Statistics window's count, kept in
// the store, so a restart keeps it) reach LimitM, a window says so, once per crossing. It
// offers the pause until tomorrow ("&Stop for today") or another word after 30 more active
// minutes ("Re&mind me later"). Like a break it never comes over a break that runs, waits
// or shows its reminder, nor into a hold, a pause or the hours off: it comes at the next
// minute that none of them keeps it. A new local day starts afresh.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/settings.h"
#include "engine/statistics_book.h"

namespace rilto {

// "Re&mind me later": again after this many more active minutes.
inline constexpr std::int32_t kRemindAgainMinutes = 30;

// The window "Rilto Daily Limit".
class DailyLimitView {
  public:
    virtual ~DailyLimitView() = default;
    // Shown, or shown again, with today's active minutes and the limit.
    virtual void ShowDailyLimit(std::int32_t workedMinutes, std::int32_t limitMinutes) = 0;
    virtual void CloseDailyLimit() = 0;
};

struct DailyLimitPorts {
    const Settings& settings;
    StatisticsBook& book;
    DailyLimitView& view;
    // The breaks are quiet now: paused, or outside the working hours.
    std::function<bool()> quiet;
    // A break runs, waits for a hold or for the user, or its reminder shows; or the
    // foreground holds breaks now.
    std::function<bool()> busy;
    // The pause until the next local midnight.
    std::function<void()> pauseUntilTomorrow;
};

class DailyLimit {
  public:
    explicit DailyLimit(DailyLimitPorts ports);
    DailyLimit(const DailyLimit&) = delete;
    DailyLimit& operator=(const DailyLimit&) = delete;

    // Each minute, once it was counted: the window comes when the limit is reached and
    // nothing keeps it; a new day, or the limit switched off, closes it.
    void Check();
    // The window's buttons; closing it is "Remind me later".
    void StopForToday();
    void RemindMeLater();

    bool Showing() const { return showing_; }
    // Today's active minutes at which the window comes next.
    std::int32_t NextAt() const;

  private:
    // The window closed by an answer: it comes again after 30 more active minutes.
    void Answered();
    void Close();

    const Settings& settings_;
    StatisticsBook& book_;
    DailyLimitView& view_;
    std::function<bool()> quiet_;
    std::function<bool()> busy_;
    std::function<void()> pauseUntilTomorrow_;
    // The day the count belongs to, "YYYY-MM-DD".
    std::string date_;
    // Once the window came today: the active minutes at which it comes again.
    std::optional<std::int32_t> again_;
    bool showing_ = false;
};

// LimitM kept within what the store keeps.
std::int32_t DailyLimitMinutes(const Settings& settings);
// The limit the Statistics window draws: LimitM while the limit is on.
std::optional<std::int32_t> DailyLimitDrawn(const Settings& settings);

// "8 h 02 min", "45 min".
std::string HoursAndMinutes(std::int32_t minutes);
// "You have been active for 8 h 02 min today. Your daily limit is 8 h 00 min."
std::string DailyLimitText(std::int32_t workedMinutes, std::int32_t limitMinutes);

}  // namespace rilto
