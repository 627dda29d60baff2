// The calendar without a time zone: leap years by the Gregorian rule (every fourth year,
// but not the hundredth, yet the four-hundredth), days and seconds from 1970 and back,
// midnights, and the store's UTC text.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "common/civil_time.h"
#include "common/day_figures.h"

namespace rilto {
namespace {

constexpr std::int64_t kDay = 86'400;

CivilDateTime Date(int year, int month, int day) {
    return CivilDateTime{year, month, day, 0, 0, 0};
}

TEST(CivilTime, LeapYearsFollowTheGregorianRule) {
    struct Case {
        int year;
        bool leap;
        std::int64_t marchFirst;  // days since 1970-01-01
    };
    for (const Case& c :
         {Case{1600, true, -135'080}, Case{1900, false, -25'508}, Case{2000, true, 11'017},
          Case{2023, false, 19'417}, Case{2024, true, 19'783}, Case{2100, false, 47'541}}) {
        const std::string feb29 = DateName(c.year, 2, 29);
        EXPECT_EQ(ParseUtc(feb29 + "T12:00:00Z").has_value(), c.leap) << c.year;
        EXPECT_EQ(DayNumberOf(feb29).has_value(), c.leap) << c.year;
        EXPECT_EQ(DaysFromCivil(c.year, 3, 1), c.marchFirst) << c.year;
        EXPECT_EQ(DaysFromCivil(c.year, 3, 1) - DaysFromCivil(c.year, 2, 28), c.leap ? 2 : 1)
            << c.year;
        EXPECT_EQ(NextMidnight({c.year, 2, 28, 23, 59, 59}),
                  c.leap ? Date(c.year, 2, 29) : Date(c.year, 3, 1))
            << c.year;
        EXPECT_EQ(CivilFromSeconds((c.marchFirst - 1) * kDay),
                  c.leap ? Date(c.year, 2, 29) : Date(c.year, 2, 28))
            << c.year;
        // A year from the first of March holds the next February: 2024's for 2023 only.
        EXPECT_EQ(DaysFromCivil(c.year + 1, 3, 1) - c.marchFirst, c.year == 2023 ? 366 : 365)
            << c.year;
    }
}

// Every day of three years around each turn of a century, and around 2024: the date of
// each day is the day after the one before, and reads back as the same day.
TEST(CivilTime, EveryDayFollowsTheOneBeforeAndReadsBack) {
    EXPECT_EQ(DaysFromCivil(1899, 1, 1), -25'932);
    EXPECT_EQ(DaysFromCivil(2101, 12, 31), 48'211);
    for (const int year : {1899, 1999, 2023, 2099}) {
        const std::int64_t first = DaysFromCivil(year, 1, 1);
        const std::int64_t last = DaysFromCivil(year + 2, 12, 31);
        CivilDateTime before = CivilFromSeconds(first * kDay);
        ASSERT_EQ(before, Date(year, 1, 1));
        for (std::int64_t n = first + 1; n <= last; ++n) {
            const CivilDateTime t = CivilFromSeconds(n * kDay + 3661);
            ASSERT_EQ(DaysFromCivil(t.year, t.month, t.day), n);
            ASSERT_EQ(NextMidnight(before), Date(t.year, t.month, t.day)) << n;
            ASSERT_EQ(t.hour * 10'000 + t.minute * 100 + t.second, 10'101) << n;
            ASSERT_EQ(ParseUtc(FormatUtc(n * kDay + 3661)), n * kDay + 3661) << n;
            ASSERT_EQ(DateOfDayNumber(n), FormatUtc(n * kDay).substr(0, 10)) << n;
            before = t;
        }
        EXPECT_EQ(before, (CivilDateTime{year + 2, 12, 31, 1, 1, 1}));
    }
}

TEST(CivilTime, TheStoresTextIsExactlyItsShape) {
    EXPECT_EQ(FormatUtc(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(FormatUtc(-1), "1969-12-31T23:59:59Z");
    EXPECT_EQ(FormatUtc(SecondsFromCivil({2026, 12, 8, 21, 30, 5})), "2026-12-08T21:30:05Z");
    EXPECT_EQ(ParseUtc("1969-12-31T23:59:59Z"), std::optional<std::int64_t>(-1));
    EXPECT_EQ(ParseUtc("2000-02-29T23:59:59Z"), (11'016 + 1) * kDay - 1);
    for (const char* bad :
         {"2026-12-08T24:00:00Z", "2026-12-08T23:60:00Z", "2026-12-08T23:00:60Z",
          "2026-13-08T21:30:00Z", "2026-00-08T21:30:00Z", "2026-04-31T21:30:00Z",
          "2026-12-00T21:30:00Z", "0000-01-01T00:00:00Z", "2026-12-08 21:30:00Z",
          "2026-12-08T21:30:00", "2026-12-08T21:30:00Z ", "2026-1a-08T21:30:00Z", ""}) {
        EXPECT_FALSE(ParseUtc(bad).has_value()) << bad;
    }
    EXPECT_TRUE(ParseUtc("0001-01-01T00:00:00Z").has_value());
    EXPECT_TRUE(ParseUtc("9999-12-31T23:59:59Z").has_value());
}

}  // namespace
}  // namespace rilto
