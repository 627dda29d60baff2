#include "engine/daily_limit.h"

#include <algorithm>
#include <utility>

#include "common/options.h"

namespace rilto {

namespace {

constexpr std::int32_t kMinutesPerHour = 60;
constexpr char kWorkedLead[] = "You have been active for ";
constexpr char kLimitLead[] = " today. Your daily limit is ";

}  // namespace

std::int32_t DailyLimitMinutes(const Settings& settings) {
    const NumberRange range = RowOf(Option::LimitM).stored;
    return std::clamp(settings.LimitM, range.min, range.max);
}

std::optional<std::int32_t> DailyLimitDrawn(const Settings& settings) {
    if (!settings.LimitOn) {
        return std::nullopt;
    }
    return DailyLimitMinutes(settings);
}

std::string HoursAndMinutes(std::int32_t minutes) {
    minutes = std::max(minutes, 0);
    const std::int32_t hours = minutes / kMinutesPerHour;
    const std::int32_t rest = minutes % kMinutesPerHour;
    if (hours == 0) {
        return std::to_string(rest) + " min";
    }
    return std::to_string(hours) + " h " + (rest < 10 ? "0" : "") + std::to_string(rest) + " min";
}

std::string DailyLimitText(std::int32_t workedMinutes, std::int32_t limitMinutes) {
    return kWorkedLead + HoursAndMinutes(workedMinutes) + kLimitLead +
           HoursAndMinutes(limitMinutes) + ".";
}

DailyLimit::DailyLimit(DailyLimitPorts ports)
    : settings_(ports.settings),
      book_(ports.book),
      view_(ports.view),
      quiet_(std::move(ports.quiet)),
      busy_(std::move(ports.busy)),
      pauseUntilTomorrow_(std::move(ports.pauseUntilTomorrow)) {}

std::int32_t DailyLimit::NextAt() const {
    return std::max(DailyLimitMinutes(settings_), again_.value_or(0));
}

void DailyLimit::Check() {
    const std::string today = book_.TodayDate();
    if (today != date_) {
        date_ = today;
        again_.reset();
        Close();
    }
    if (!settings_.LimitOn) {
        Close();
        return;
    }
    if (showing_) {
        return;
    }
    const std::int32_t worked = book_.Today()[DayCount::activeMinutes];
    // What keeps the window is asked only once it is due: the hold looks at the foreground.
    if (worked < NextAt() || (quiet_ && quiet_()) || (busy_ && busy_())) {
        return;
    }
    showing_ = true;
    // Should the program close it (the limit switched off, say), it comes again no sooner
    // than an answer would bring it.
    again_ = worked + kRemindAgainMinutes;
    view_.ShowDailyLimit(worked, DailyLimitMinutes(settings_));
}

void DailyLimit::StopForToday() {
    if (!showing_) {
        return;
    }
    Answered();
    if (pauseUntilTomorrow_) {
        pauseUntilTomorrow_();
    }
}

void DailyLimit::RemindMeLater() {
    if (showing_) {
        Answered();
    }
}

void DailyLimit::Answered() {
    Close();
    again_ = book_.Today()[DayCount::activeMinutes] + kRemindAgainMinutes;
}

void DailyLimit::Close() {
    if (showing_) {
        showing_ = false;
        view_.CloseDailyLimit();
    }
}

}  // namespace rilto
