#pragma once
// Dates and times without a time zone: the proleptic Gregorian calendar counted in days
// and seconds from 1970-01-01, and the UTC text the store keeps, "YYYY-MM-DDThh:mm:ssZ".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rilto {

struct CivilDateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CivilDateTime&) const = default;
};

// Days since 1970-01-01 of a date, and the date of such a day.
std::int64_t DaysFromCivil(int year, int month, int day);
CivilDateTime CivilFromSeconds(std::int64_t seconds);
// Seconds since 1970-01-01 00:00 of a date and time read as UTC.
std::int64_t SecondsFromCivil(const CivilDateTime& t);

// The same date one day on, at midnight.
CivilDateTime NextMidnight(const CivilDateTime& t);

// "2026-12-08T21:30:00Z".
std::string FormatUtc(std::int64_t seconds);
// Exactly that form, with a real date and time; anything else is nothing.
std::optional<std::int64_t> ParseUtc(std::string_view text);

}  // namespace rilto
