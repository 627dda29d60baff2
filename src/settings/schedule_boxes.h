#pragma once
// The "Schedule" page's boxes read as the user types them: what the working hours would be
// if applied now, in words, and Apply's word on boxes it cannot read.

#include <optional>
#include <string>
#include <vector>

#include "common/options.h"
#include "settings/settings_form.h"

namespace rilto {

// The weekday, Monday 0, whose hours the option holds; nothing for any other option.
std::optional<int> WeekdayOfHours(Option option);

// What the switch and the boxes mean now, as DescribeHours says it. A day that cannot be
// read is named with the switch off too: Apply refuses it either way.
std::string DescribeScheduleBoxes(const SettingsForm& form);

// The days Apply refused ("Tuesday: ..." each) in one message, with the format to use.
std::string HoursRefusedMessage(const std::vector<std::string>& refused);

}  // namespace rilto
