#include "engine/statistics_book.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace rilto {

StatisticsBook::StatisticsBook(SettingsStore& store, Clock& clock) : store_(store), clock_(clock) {}

std::string StatisticsBook::TodayDate() {
    const CivilDateTime now = clock_.ToLocal(clock_.UtcNow());
    return DateName(now.year, now.month, now.day);
}

DayFigures& StatisticsBook::Day(const std::string& date) {
    auto found = days_.find(date);
    if (found == days_.end()) {
        // A day already stored goes on from its stored counts, with whatever keys a later
        // version added.
        found = days_
                    .emplace(date,
                             ParseDayFigures(date, store_.GetSetting(kStatisticsSection, date, "")))
                    .first;
    }
    return found->second;
}

void StatisticsBook::Count(DayCount what) {
    const std::string date = TodayDate();
    DayFigures& day = Day(date);
    if (day[what] < kMostInADay) {  // one more would read back as none
        ++day[what];
    }
    dirty_[date] = true;
    lastDate_ = date;
    if (changed_) {
        changed_();
    }
}

void StatisticsBook::Flush() {
    for (const auto& [date, dirty] : dirty_) {
        if (dirty) {
            store_.SaveSetting(kStatisticsSection, date, FormatDayFigures(days_.at(date)));
        }
    }
    const bool trim = !dirty_.empty();
    dirty_.clear();
    // Only today's figures are wanted again; the others were written.
    const std::string today = TodayDate();
    std::erase_if(days_, [&](const auto& day) { return day.first != today; });
    // The days kept change with the date: a look through the store once a day is enough.
    if (trim && today != trimmedOn_) {
        Trim();
        trimmedOn_ = today;
    }
    if (today != lastDate_) {
        lastDate_ = today;
        if (changed_) {
            changed_();  // a new day: the tray's count starts again
        }
    }
}

// Days are dropped by the newest day that is not ahead of today, and never so many that
// fewer than 90 are left: a date set far ahead for a moment, or one set back, cannot empty
// the store, and a day booked while the date was ahead waits for its date to pass.
void StatisticsBook::Trim() {
    const auto today = DayNumberOf(TodayDate());
    if (!today) {
        return;
    }
    std::vector<std::pair<std::int64_t, std::string>> dated;
    for (std::string& name : store_.KeysOf(kStatisticsSection)) {
        if (const auto day = DayNumberOf(name)) {
            dated.emplace_back(*day, std::move(name));
        }
    }
    std::sort(dated.begin(), dated.end());
    const auto notAhead =
        std::upper_bound(dated.begin(), dated.end(), *today,
                         [](std::int64_t t, const auto& d) { return t < d.first; });
    if (notAhead == dated.begin() || dated.size() <= static_cast<std::size_t>(kDaysKept)) {
        return;
    }
    const std::int64_t newest = std::prev(notAhead)->first;
    std::size_t beyond = dated.size() - kDaysKept;
    for (auto day = dated.begin(); day != dated.end() && beyond > 0; ++day, --beyond) {
        if (day->first > newest - kDaysKept) {
            break;
        }
        store_.DeleteSetting(kStatisticsSection, day->second);
    }
}

DayFigures StatisticsBook::Today() {
    return Day(TodayDate());
}

std::vector<DayFigures> StatisticsBook::StoredDays() {
    Flush();
    std::vector<DayFigures> days;
    for (const std::string& name : store_.KeysOf(kStatisticsSection)) {
        if (DayNumberOf(name)) {
            days.push_back(ParseDayFigures(name, store_.GetSetting(kStatisticsSection, name, "")));
        }
    }
    std::sort(days.begin(), days.end(),
              [](const DayFigures& a, const DayFigures& b) { return a.date < b.date; });
    return days;
}

}  // namespace rilto
