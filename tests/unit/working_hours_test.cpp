#include "engine/working_hours.h"

#include <gtest/gtest.h>

#include "fakes/schedule.h"

namespace rilto {
namespace {

CivilDateTime At(int day, int hour, int minute) {
    return CivilDateTime{2026, 12, day, hour, minute, 0};  // 2026-12-07 is a Monday
}

using fakes::ScheduleOf;

TEST(WorkingHours, DayTextsAreReadOrSayWhatIsWrong) {
    EXPECT_EQ(ReadDayHours(" 08:30-12:00 , 13:00-17:30 ").ranges,
              (std::vector<TimeRange>{{510, 720}, {780, 1050}}));
    EXPECT_EQ(ReadDayHours("9:05-24:00").ranges, (std::vector<TimeRange>{{545, 1440}}));
    EXPECT_EQ(ReadDayHours("00:00-24:00").ranges, (std::vector<TimeRange>{{0, 1440}}));
    EXPECT_TRUE(ReadDayHours("").Readable());
    EXPECT_TRUE(ReadDayHours("").ranges.empty());
    for (const char* bad : {"9-17", "09:00", "09:00-17:60", "24:00-02:00", "09:00-25:00",
                            "9:00-1700", "10:00-10:00", "0x:00-10:00"}) {
        const DayHours day = ReadDayHours(bad);
        EXPECT_FALSE(day.Readable()) << bad;
        EXPECT_TRUE(day.ranges.empty()) << bad;
    }
    EXPECT_EQ(ReadDayHours("09:00-17:00,9-17").problem, "\"9-17\" is not a range like 09:00-17:00");
}

TEST(WorkingHours, WeekdaysRunFromMonday) {
    EXPECT_EQ(WeekdayOf(At(7, 0, 0)), 0);
    EXPECT_EQ(WeekdayOf(At(13, 0, 0)), 6);
    EXPECT_EQ(WeekdayOf(CivilDateTime{1970, 1, 1}), 3);
    EXPECT_EQ(WeekdayOf(CivilDateTime{1969, 12, 29}), 0);
    EXPECT_STREQ(DayShortName(WeekdayOf(CivilDateTime{2028, 2, 29})), "Tue");
}

TEST(WorkingHours, RangesBelongToTheDayTheyStartOn) {
    const WorkingHours hours(
        ScheduleOf({"09:00-12:00,13:00-17:00", "", "22:00-02:00", "", "", "", "23:00-24:00"}));
    EXPECT_FALSE(hours.Working(At(7, 8, 59)));
    EXPECT_TRUE(hours.Working(At(7, 9, 0)));
    EXPECT_FALSE(hours.Working(At(7, 12, 30)));
    EXPECT_TRUE(hours.Working(At(7, 16, 59)));
    EXPECT_FALSE(hours.Working(At(7, 17, 0)));
    // Wednesday night runs into Thursday, a day off; Tuesday's nothing runs into Wednesday.
    EXPECT_FALSE(hours.Working(At(9, 1, 0)));
    EXPECT_TRUE(hours.Working(At(9, 22, 0)));
    EXPECT_TRUE(hours.Working(At(10, 1, 59)));
    EXPECT_FALSE(hours.Working(At(10, 2, 0)));
    // Sunday ends at midnight; Monday morning is Monday's own.
    EXPECT_TRUE(hours.Working(At(13, 23, 59)));
    EXPECT_FALSE(hours.Working(At(14, 0, 0)));
}

TEST(WorkingHours, AnUnreadableDayWorksAllDayAndIsNamed) {
    const WorkingHours hours(ScheduleOf({"", "9-17", "", "", "", "", ""}));
    EXPECT_TRUE(hours.Working(At(8, 3, 0)));
    EXPECT_FALSE(hours.Working(At(9, 3, 0)));
    EXPECT_EQ(hours.Problems(),
              std::vector<std::string>{"Tuesday: \"9-17\" is not a range like 09:00-17:00"});
    EXPECT_EQ(DescribeHours(hours),
              "Tuesday: \"9-17\" is not a range like 09:00-17:00. Such a day has breaks all day.");
}

TEST(WorkingHours, OffMeansEveryHour) {
    Settings s = ScheduleOf({"", "", "", "", "", "", ""});
    s.ScheduleOn = false;
    EXPECT_TRUE(WorkingHours(s).Working(At(7, 3, 0)));
    EXPECT_EQ(DescribeHours(WorkingHours(s)), "Breaks at any hour");
    EXPECT_EQ(DescribeHours(WorkingHours(ScheduleOf({"", "", "", "", "", "", ""}))),
              "No breaks on any day");
}

TEST(WorkingHours, TheDescriptionGroupsDaysAlike) {
    Settings s;
    s.ScheduleOn = true;
    EXPECT_EQ(DescribeHours(WorkingHours(s)), "Breaks from Monday to Friday, 09:00 to 17:00");
    EXPECT_EQ(DescribeHours(
                  WorkingHours(ScheduleOf({"08:30-12:00,13:00-17:30", "08:30-12:00,13:00-17:30", "",
                                           "10:00-14:00", "10:00-14:00", "", "22:00-02:00"}))),
              "Breaks on Monday and Tuesday, 08:30 to 12:00 and 13:00 to 17:30; on Thursday and "
              "Friday, 10:00 to 14:00; on Sunday, 22:00 to 02:00");
}

}  // namespace
}  // namespace rilto
