#include "settings/schedule_boxes.h"

#include <cstddef>

#include "engine/working_hours.h"
#include "settings/settings_texts.h"

namespace rilto {

namespace {

std::string Joined(const std::vector<std::string>& lines, const char* between) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : between) + line;
    }
    return text;
}

}  // namespace

std::optional<int> WeekdayOfHours(Option option) {
    const int day = static_cast<int>(option) - static_cast<int>(Option::HoursMon);
    if (day < 0 || day >= static_cast<int>(kDaysInWeek)) {
        return std::nullopt;
    }
    return day;
}

std::string DescribeScheduleBoxes(const SettingsForm& form) {
    Settings typed;
    typed.ScheduleOn = form.On(Option::ScheduleOn);
    for (std::size_t day = 0; day < kDaysInWeek; ++day) {
        typed.Hours[day] =
            form[static_cast<Option>(static_cast<int>(Option::HoursMon) + static_cast<int>(day))];
    }
    const WorkingHours hours(typed);
    std::string text = DescribeHours(hours);
    const std::vector<std::string> problems = hours.Problems();
    if (!hours.On() && !problems.empty()) {
        text += ". " + Joined(problems, "; ") + ".";
    }
    return text;
}

std::string HoursRefusedMessage(const std::vector<std::string>& refused) {
    return std::string(kHoursRefused) + "\n\n" + Joined(refused, "\n") + "\n\n" + kHoursHint;
}

}  // namespace rilto
