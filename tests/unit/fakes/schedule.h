#pragma once
// Working hours for a test: "Schedule" on, with each weekday's text, Monday first.

#include <array>
#include <cstddef>

#include "common/settings.h"

namespace rilto::fakes {

inline Settings ScheduleOf(const std::array<const char*, kDaysInWeek>& days) {
    Settings s;
    s.ScheduleOn = true;
    for (std::size_t i = 0; i < kDaysInWeek; ++i) {
        s.Hours[i] = days[i];
    }
    return s;
}

}  // namespace rilto::fakes
