// Off hours: the next start or end of the working hours by the local time zone's rules
// for each date, the one timer set to it, and the breaks held still as in a pause until
// the next start, where what was due comes. The virtual clock's test begins on Saturday
// 2026-03-28, local time an hour ahead of UTC.

#include "engine/off_hours.h"

#include <gtest/gtest.h>

#include "fakes/schedule.h"

#include "common/civil_time.h"
#include "engine/system_notice.h"
#include "fakes/exercise_rig.h"

namespace rilto {

void PrintTo(const OffHoursShown& shown, std::ostream* os) {
    *os << (shown.active ? "off hours until \"" : "working, \"") << shown.until << "\"";
}

namespace {

using fakes::kMsPerHour;
using fakes::kMsPerMinute;

using fakes::ScheduleOf;

void UseSchedule(Settings& settings, const std::array<const char*, kDaysInWeek>& days) {
    settings.ScheduleOn = true;
    for (std::size_t i = 0; i < kDaysInWeek; ++i) {
        settings.Hours[i] = days[i];
    }
}

std::int64_t Utc(int month, int day, int hour, int minute) {
    return SecondsFromCivil({2026, month, day, hour, minute, 0});
}

// The next `n` changes from `from` on, each as "Mon 09:00 on" or "Mon 17:00 off".
std::vector<std::string> Changes(const WorkingHours& hours, Clock& clock, std::int64_t from,
                                 int n) {
    std::vector<std::string> changes;
    for (int i = 0; i < n; ++i) {
        const std::optional<std::int64_t> change = NextChange(hours, clock, from);
        if (!change) {
            break;
        }
        const CivilDateTime local = clock.ToLocal(*change);
        changes.push_back(StartText(local) + (hours.Working(local) ? " on" : " off"));
        from = *change;
    }
    return changes;
}

TEST(NextChange, FollowsEachWeekdaysRangesPastMidnightAndOverADayOff) {
    fakes::VirtualClock clock;
    const WorkingHours hours(ScheduleOf(
        {"09:00-17:00", "08:30-12:00,13:00-17:30", "", "22:00-06:00", "09:00-17:00", "", ""}));
    const std::int64_t saturday = clock.FromLocal({2026, 3, 28, 9, 0, 0});
    EXPECT_EQ(
        Changes(hours, clock, saturday, 11),
        (std::vector<std::string>{"Mon 09:00 on", "Mon 17:00 off", "Tue 08:30 on", "Tue 12:00 off",
                                  "Tue 13:00 on", "Tue 17:30 off", "Thu 22:00 on", "Fri 06:00 off",
                                  "Fri 09:00 on", "Fri 17:00 off", "Mon 09:00 on"}));
    EXPECT_EQ(NextChange(hours, clock, saturday), Utc(3, 30, 8, 0));
    // Working on Monday morning: the next start is Tuesday's.
    const std::int64_t monday = clock.FromLocal({2026, 3, 30, 10, 0, 0});
    EXPECT_EQ(NextStart(hours, clock, monday), clock.FromLocal({2026, 3, 31, 8, 30, 0}));
    EXPECT_EQ(NextStart(hours, clock, saturday), Utc(3, 30, 8, 0));

    // No day with hours, or the schedule off: nothing ever changes.
    const WorkingHours none(ScheduleOf({"", "", "", "", "", "", ""}));
    EXPECT_EQ(NextChange(none, clock, saturday), std::nullopt);
    EXPECT_EQ(NextStart(none, clock, saturday), std::nullopt);
    Settings off = ScheduleOf({"", "", "", "", "", "", ""});
    off.ScheduleOn = false;
    EXPECT_EQ(NextChange(WorkingHours(off), clock, saturday), std::nullopt);
    // Every hour of the week: nothing either.
    const WorkingHours always(
        ScheduleOf({"00:00-24:00", "00:00-24:00", "00:00-24:00", "00:00-24:00", "00:00-24:00",
                    "00:00-24:00", "00:00-24:00"}));
    EXPECT_EQ(NextChange(always, clock, saturday), std::nullopt);
}

// A day whose text cannot be read works from its midnight to the next.
TEST(NextChange, ADayThatCannotBeReadWorksAllDay) {
    fakes::VirtualClock clock;
    const WorkingHours hours(ScheduleOf({"09:00-17:00", "", "", "", "17:00-23:00", "9 to 5", ""}));
    const std::int64_t friday = clock.FromLocal({2026, 3, 27, 12, 0, 0});
    EXPECT_EQ(Changes(hours, clock, friday, 5),
              (std::vector<std::string>{"Fri 17:00 on", "Fri 23:00 off", "Sat 00:00 on",
                                        "Sun 00:00 off", "Mon 09:00 on"}));
}

// The clocks go forward on 2026-03-29 at 01:00 UTC (02:00 local becomes 03:00) and back
// on 2026-10-25 at 01:00 UTC (03:00 local becomes 02:00).
TEST(NextChange, TakesTheZonesRulesForEachDate) {
    fakes::VirtualClock clock;
    clock.SpringForwardAt(Utc(3, 29, 1, 0));
    clock.FallBackAt(Utc(10, 25, 1, 0));
    // A night shift across the change ends at 06:00 summer time, an hour sooner in UTC.
    const WorkingHours night(ScheduleOf({"", "", "", "", "", "22:00-06:00", ""}));
    EXPECT_EQ(NextChange(night, clock, Utc(3, 28, 20, 0)), Utc(3, 28, 21, 0));
    EXPECT_EQ(NextChange(night, clock, Utc(3, 28, 22, 0)), Utc(3, 29, 4, 0));
    EXPECT_EQ(NextChange(night, clock, Utc(3, 29, 4, 0)), Utc(4, 4, 20, 0));

    // A start the clocks skip takes effect as they skip it.
    const WorkingHours skipped(ScheduleOf({"", "", "", "", "", "", "02:30-05:00"}));
    const std::optional<std::int64_t> start = NextChange(skipped, clock, Utc(3, 28, 11, 0));
    EXPECT_EQ(start, Utc(3, 29, 1, 0));
    EXPECT_EQ(StartText(clock.ToLocal(start.value_or(0))), "Sun 03:00");

    // Local times the clocks pass twice are in the range twice.
    const WorkingHours repeated(ScheduleOf({"", "", "", "", "", "", "01:00-02:30"}));
    EXPECT_EQ(Changes(repeated, clock, Utc(10, 24, 10, 0), 5),
              (std::vector<std::string>{"Sun 01:00 on", "Sun 02:30 off", "Sun 02:00 on",
                                        "Sun 02:30 off", "Sun 01:00 on"}));
    EXPECT_EQ(NextChange(repeated, clock, Utc(10, 25, 0, 30)), Utc(10, 25, 1, 0));
    EXPECT_EQ(NextChange(repeated, clock, Utc(10, 25, 1, 0)), Utc(10, 25, 1, 30));
}

// One timer, set to the next change and never further than an hour, so that a clock that
// drifts is followed; it ticks at the changes and on the hour between them.
TEST(OffHours, ItsTimerIsSetToTheNextChangeAndLooksAgainWithinTheHour) {
    fakes::SchedulerRig rig(5'000'000, {16, 30});
    UseSchedule(rig.settings, {"09:00-09:20,09:45-17:00", "", "", "", "", "09:00-17:00", ""});
    rig.Start();
    rig.core.OnScheduleTimer();
    OffHours& off = rig.core.offHours();
    EXPECT_FALSE(off.Active());
    EXPECT_TRUE(rig.tSchedule.Enabled());
    EXPECT_EQ(rig.tSchedule.Interval(), 30 * kMsPerMinute);

    rig.AdvanceMinutes(30);  // Saturday 17:00
    EXPECT_TRUE(off.Active());
    EXPECT_EQ(off.UntilText(), "Mon 09:00");
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{true, "Mon 09:00"}));
    EXPECT_EQ(rig.tSchedule.Interval(), kMsPerHour);

    rig.clock.AdvanceTo(40 * kMsPerHour + 30 * kMsPerMinute - 1);  // just before Monday 09:00
    EXPECT_TRUE(off.Active());
    rig.clock.Advance(1);
    EXPECT_FALSE(off.Active());
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{false, ""}));
    EXPECT_EQ(rig.tSchedule.Interval(), 20 * kMsPerMinute);
    rig.AdvanceMinutes(20);
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{true, "Mon 09:45"}));
    EXPECT_EQ(rig.tSchedule.Interval(), 25 * kMsPerMinute);
    rig.AdvanceMinutes(25);
    EXPECT_FALSE(off.Active());
    // At 17:00, on the hour 40 times, at 09:20 and at 09:45: no more.
    EXPECT_EQ(rig.tSchedule.Ticks(), 43);

    // Switched off, it has nothing to look at.
    rig.settings.ScheduleOn = false;
    rig.core.OnScheduleTimer();
    EXPECT_FALSE(rig.tSchedule.Enabled());
}

// As in a pause, the countdowns hold still and go on from where they stood at the next
// start, a whole minute after it.
TEST(OffHours, TheCountdownsHoldStillUntilTheNextStart) {
    fakes::SchedulerRig rig(5'000'000, {16, 55});
    UseSchedule(rig.settings, {"", "", "", "", "", "09:00-17:00", "09:00-17:00"});
    rig.settings.InterruptEvery = 10;
    rig.settings.EveryM = 20;
    rig.settings.IntelliReset = false;
    rig.Start();
    rig.core.OnScheduleTimer();
    rig.AdvanceMinutes(16 * 60 + 5);  // Sunday 09:00
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_EQ(rig.state().MinutesToMicropause, 5);
    EXPECT_EQ(rig.state().MinutesToExercise, 15);
    rig.AdvanceMinutes(20);
    const std::vector<std::uint64_t> shown = rig.log.TimesOf("show form");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0] / kMsPerMinute, 16u * 60 + 10);
    EXPECT_EQ(rig.log.TimesOf("reminder"),
              std::vector<std::uint64_t>{(16 * 60 + 20) * kMsPerMinute});
}

// Due the very moment off hours begin, a micropause and the reminder wait through them
// and come at the next start.
TEST(OffHours, BreaksDueAsTheyBeginComeAtTheNextStart) {
    fakes::SchedulerRig rig(5'000'000, {16, 55});
    UseSchedule(rig.settings, {"", "", "", "", "", "09:00-17:00", "09:00-17:00"});
    rig.settings.InterruptEvery = 5;
    rig.settings.EveryM = 5;
    rig.settings.AudiblePre = true;
    rig.settings.IntelliReset = false;
    rig.UseSoundFiles();
    rig.Start();
    rig.core.OnScheduleTimer();
    rig.AdvanceMinutes(5);  // Saturday 17:00
    EXPECT_TRUE(rig.core.offHours().Active());
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    EXPECT_EQ(rig.log.Count("reminder"), 0u);
    EXPECT_TRUE(rig.state().MicropauseAwaited);
    EXPECT_TRUE(rig.state().ReminderHeld);
    rig.AdvanceMinutes(16 * 60 - 1);
    EXPECT_EQ(rig.log.Count("show form"), 0u);
    rig.AdvanceMinutes(1);  // Sunday 09:00
    EXPECT_EQ(rig.log.TimesOf("reminder"),
              std::vector<std::uint64_t>{(16 * 60 + 5) * kMsPerMinute});
    rig.AdvanceSeconds(30);
    const std::vector<std::uint64_t> shown = rig.log.TimesOf("show form");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_LT(shown[0] - (16 * 60 + 5) * kMsPerMinute, 10'000u);  // after its start sound
    EXPECT_EQ(rig.log.TimesOf(fakes::kPreWarningPlayed),
              std::vector<std::uint64_t>{4 * kMsPerMinute});

    // A minute to go as they begin: no early warning into the off hours; the micropause
    // comes a minute after the next start.
    fakes::SchedulerRig later(5'000'000, {16, 54});
    UseSchedule(later.settings, {"", "", "", "", "", "09:00-17:00", "09:00-17:00"});
    later.settings.InterruptEvery = 7;
    later.settings.AudiblePre = true;
    later.settings.IntelliReset = false;
    later.UseSoundFiles();
    later.Start();
    later.core.OnScheduleTimer();
    later.AdvanceMinutes(16 * 60 + 7);  // Sunday 09:01
    EXPECT_EQ(later.log.Count(fakes::kPreWarningPlayed), 0u);
    later.AdvanceSeconds(30);
    EXPECT_EQ(later.log.Count("show form"), 1u);
}

// What the user asks for comes off hours too: "&Micropause Now!", "&Exercise Now!".
TEST(OffHours, WhatTheUserAsksForStillComes) {
    fakes::ExerciseRig rig(5'000'000, {18, 0});
    UseSchedule(rig.settings, {"", "", "", "", "", "09:00-17:00", ""});
    rig.settings.InterruptFor = 10;
    rig.UseScheme(2, {}, 3);
    rig.Start();
    rig.core.OnScheduleTimer();
    ASSERT_TRUE(rig.core.offHours().Active());
    rig.core.MicropauseNow();
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.AdvanceSeconds(30);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    rig.core.ExerciseNow();
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.AdvanceMinutes(5);
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
    EXPECT_TRUE(rig.core.offHours().Active());
}

// The tray hears of them, and a pause's texts stand before theirs; the clock set, a
// wake-up and Apply each look at them again.
TEST(OffHours, TheTrayShowsThemUntilAPauseAndTheyFollowTheClockAndApply) {
    fakes::ExerciseRig rig(5'000'000, {16, 0});
    UseSchedule(rig.settings, {"09:00-17:00", "", "", "", "", "09:00-17:00", ""});
    rig.Start();
    rig.core.OnScheduleTimer();
    EXPECT_FALSE(rig.core.TrayMenu().offHours);

    rig.clock.ShiftWall(2 * 3600);  // 18:00 by the wall clock
    rig.core.TimeChanged();
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{true, "Mon 09:00"}));
    TrayMenuContent menu = rig.core.TrayMenu();
    EXPECT_TRUE(menu.offHours);
    EXPECT_EQ(menu.offHoursUntil, "Mon 09:00");
    rig.core.PauseFor(30);
    menu = rig.core.TrayMenu();
    EXPECT_EQ(menu.pausedUntil, "18:30");
    EXPECT_EQ(TrayTip(menu.pausedUntil, 0, rig.status.offHours),
              "Rilto Micropause: paused until 18:30");
    rig.core.Resume();

    rig.clock.ShiftWall(-2 * 3600);
    rig.core.Noticed(SystemNotice::Resumed);
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{false, ""}));

    // Saturday off from now on: Apply looks again.
    rig.core.settingsDialog().LoadMeUp();
    rig.settingsView.form[Option::HoursSat] = "";
    rig.core.settingsDialog().Apply();
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{true, "Mon 09:00"}));
    // Switched off: breaks at any hour.
    rig.settingsView.form.SetOn(Option::ScheduleOn, false);
    rig.core.settingsDialog().Apply();
    EXPECT_EQ(rig.status.offHours, (OffHoursShown{false, ""}));
    EXPECT_FALSE(rig.tSchedule.Enabled());
}

}  // namespace
}  // namespace rilto
