#include "common/civil_time.h"

#include "common/text.h"

namespace rilto {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
// The text's years: four digits.
constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Floor division, for days before 1970.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

// The days-from-civil algorithm: eras of 400 years, each of 146097 days, from March.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

CivilDateTime CivilFromSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const std::int64_t ofDay = seconds - days * kSecondsPerDay;
    const std::int64_t z = days + 719'468;
    const std::int64_t era = FloorDiv(z, 146'097);
    const std::int64_t dayOfEra = z - era * 146'097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    CivilDateTime t;
    t.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(ofDay / 3600);
    t.minute = static_cast<int>(ofDay % 3600 / 60);
    t.second = static_cast<int>(ofDay % 60);
    return t;
}

std::int64_t SecondsFromCivil(const CivilDateTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL +
           t.minute * 60LL + t.second;
}

CivilDateTime NextMidnight(const CivilDateTime& t) {
    CivilDateTime next =
        CivilFromSeconds(DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + kSecondsPerDay);
    next.hour = next.minute = next.second = 0;
    return next;
}

std::string FormatUtc(std::int64_t seconds) {
    const CivilDateTime t = CivilFromSeconds(seconds);
    std::string text;
    AppendDate(text, t.year, t.month, t.day);
    text += 'T';
    AppendZeroPadded(text, t.hour, 2);
    text += ':';
    AppendZeroPadded(text, t.minute, 2);
    text += ':';
    AppendZeroPadded(text, t.second, 2);
    text += 'Z';
    return text;
}

std::optional<std::int64_t> ParseUtc(std::string_view text) {
    // "YYYY-MM-DDThh:mm:ssZ": digits where digits go, the separators where they go.
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) {
            return std::nullopt;
        }
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int n = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            n = n * 10 + (text[i] - '0');
        }
        return n;
    };
    CivilDateTime t{number(0, 4),  number(5, 2),  number(8, 2),
                    number(11, 2), number(14, 2), number(17, 2)};
    if (t.year < kMinYear || t.year > kMaxYear || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59) {
        return std::nullopt;
    }
    return SecondsFromCivil(t);
}

}  // namespace rilto
