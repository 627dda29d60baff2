// The "Schedule" page's boxes in words as they are typed, and Apply's word on the ones it
// cannot read.

#include <gtest/gtest.h>

#include <string>

#include "common/memory_settings_store.h"
#include "settings/schedule_boxes.h"
#include "settings/settings_texts.h"

namespace rilto {
namespace {

SettingsForm Boxes(bool on, const char* tuesday = "09:00-17:00") {
    SettingsForm form = LoadForm(Settings{}, MemorySettingsStore{});
    form.SetOn(Option::ScheduleOn, on);
    form[Option::HoursTue] = tuesday;
    return form;
}

TEST(ScheduleBoxes, EachWeekdaysBoxIsItsDayAndNoOtherOptionIsOne) {
    EXPECT_EQ(WeekdayOfHours(Option::HoursMon), 0);
    EXPECT_EQ(WeekdayOfHours(Option::HoursWed), 2);
    EXPECT_EQ(WeekdayOfHours(Option::HoursSun), 6);
    EXPECT_EQ(WeekdayOfHours(Option::ScheduleOn), std::nullopt);
    EXPECT_EQ(WeekdayOfHours(Option::LimitOn), std::nullopt);
    EXPECT_EQ(WeekdayOfHours(Option::Programs), std::nullopt);
}

TEST(ScheduleBoxes, TheLineSaysWhatTheSwitchAndTheBoxesMeanNow) {
    EXPECT_EQ(DescribeScheduleBoxes(Boxes(true)), "Breaks from Monday to Friday, 09:00 to 17:00");
    EXPECT_EQ(DescribeScheduleBoxes(Boxes(false)), "Breaks at any hour");
    // Typing changes it: Tuesday apart from the days around it.
    EXPECT_EQ(DescribeScheduleBoxes(Boxes(true, "10:00-12:00")),
              "Breaks on Monday, 09:00 to 17:00; on Tuesday, 10:00 to 12:00; from Wednesday to "
              "Friday, 09:00 to 17:00");
    // A day that cannot be read is named, switched on or off.
    EXPECT_EQ(DescribeScheduleBoxes(Boxes(true, "9-17")),
              "Tuesday: \"9-17\" is not a range like 09:00-17:00. Such a day has breaks all day.");
    EXPECT_EQ(DescribeScheduleBoxes(Boxes(false, "9-17")),
              "Breaks at any hour. Tuesday: \"9-17\" is not a range like 09:00-17:00.");
}

TEST(ScheduleBoxes, TheRefusalListsEveryDayBetweenItsWordAndTheHint) {
    EXPECT_EQ(HoursRefusedMessage({"Tuesday: a", "Sunday: b"}),
              std::string(kHoursRefused) + "\n\nTuesday: a\nSunday: b\n\n" + kHoursHint);
}

}  // namespace
}  // namespace rilto
