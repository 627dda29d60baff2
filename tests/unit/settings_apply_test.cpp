// The settings dialog's first two pages: what they show when it opens, and what Apply
// corrects, changes in the running program and writes to the store, in which order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/memory_settings_store.h"
#include "common/settings_loader.h"
#include "fakes/scheduler_rig.h"
#include "settings/settings_apply.h"
#include "settings/settings_form.h"

namespace rilto {
namespace {

using Calls = std::vector<std::string>;

// Every write, as "section/key", in the order it came.
class RecordingStore : public MemorySettingsStore {
  public:
    explicit RecordingStore(Calls& calls) : calls_(calls) {}
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        calls_.push_back(std::string(section) + "/" + std::string(key));
        MemorySettingsStore::SaveSetting(section, key, text);
    }

  private:
    Calls& calls_;
};

// The program's hook, with each switch noted in the same list.
class RecordingHook : public ActivityHook {
  public:
    RecordingHook(Calls& calls, ActivityHook& inner) : calls_(calls), inner_(inner) {}
    std::int32_t InstallFilter(std::int32_t kind, std::int32_t flag) override {
        calls_.push_back("InstallFilter(" + std::to_string(kind) + "," + std::to_string(flag) +
                         ")");
        return inner_.InstallFilter(kind, flag);
    }
    std::int32_t RilGetTime(std::int32_t kind) override { return inner_.RilGetTime(kind); }
    bool Available() const override { return inner_.Available(); }

  private:
    Calls& calls_;
    ActivityHook& inner_;
};

struct ApplyRig {
    ApplyRig() { rig.Start(); }

    // The dialog opens on the options in effect.
    void Open() { form = LoadForm(rig.settings, store); }
    void Apply() {
        calls.clear();
        refused = ApplySettings(form, ApplyPorts{writer, store, rig.scheduler, hook,
                                                 [this](const std::string& text) {
                                                     calls.push_back("showWarning");
                                                     shownWarning = text;
                                                 },
                                                 [this] { calls.push_back("saveScheme"); }});
    }
    std::string Stored(const char* section, const char* key) const {
        return store.GetSetting(section, key, "<none>");
    }
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    fakes::SchedulerRig rig;
    Calls calls;
    RecordingStore store{calls};
    // The options in effect, the lock read from this store.
    SettingsWriter writer{rig.settings, store};
    RecordingHook hook{calls, rig.hook};
    SettingsForm form;
    std::string shownWarning;
    std::vector<std::string> refused;
};

// Every option a round trip through the dialog and the store must keep.
std::string Describe(const Settings& s) {
    std::string out;
    for (const std::string& part : {std::to_string(s.InterruptFor),
                                    std::to_string(s.InterruptEvery),
                                    std::to_string(s.IntelliReset),
                                    std::to_string(s.Audible),
                                    s.WarningSound,
                                    std::to_string(s.AudiblePre),
                                    s.WarningSoundPre,
                                    std::to_string(s.DisableEsc),
                                    std::to_string(s.Blank),
                                    s.Warning,
                                    std::to_string(s.Monitor[0]),
                                    std::to_string(s.Monitor[1]),
                                    s.Scheme,
                                    std::to_string(s.EveryM),
                                    std::to_string(s.AudibleX),
                                    s.WarningSoundX,
                                    std::to_string(s.BlankX),
                                    std::to_string(s.ViewAm),
                                    std::to_string(s.xStart),
                                    std::to_string(s.NumAtaTime)}) {
        out += part + "|";
    }
    return out;
}

TEST(SettingsDialog, OpenedAndAppliedUnchangedStoresTheOptionsInEffect) {
    ApplyRig a;
    // Every option away from its default, within what the dialog accepts.
    Settings& s = a.rig.settings;
    s.InterruptFor = 42;
    s.InterruptEvery = 17;
    s.IntelliReset = false;
    s.Audible = false;
    s.WarningSound = "ding.wav";
    s.AudiblePre = false;
    s.WarningSoundPre = "pre.wav";
    s.DisableEsc = true;
    s.Blank = false;
    s.Warning = "Stretch!";
    s.Monitor = {false, true};
    s.Scheme = "Mine";
    s.EveryM = 33;
    s.AudibleX = false;
    s.WarningSoundX = "x.wav";
    s.BlankX = false;
    s.ViewAm = 3;
    s.xStart = -1;
    s.NumAtaTime = 4;
    const std::string before = Describe(s);
    a.Open();
    EXPECT_EQ(a.form[Option::InterruptFor], "42");
    EXPECT_EQ(a.form[Option::EveryM], "33");
    EXPECT_TRUE(a.form.On(Option::xStart));
    a.Apply();
    EXPECT_EQ(Describe(s), before);
    EXPECT_EQ(Describe(LoadSettings(a.store)), before);
}

TEST(SettingsDialog, WritesEveryOptionInItsOrderWithTheSchemeSavedBetween) {
    ApplyRig a;
    a.Open();
    a.Apply();
    const Calls expected{
        "showWarning",
        "Micropause/InterruptFor",
        "Micropause/InterruptEvery",
        "Micropause/Audible",
        "Micropause/WarningSound",
        "Micropause/AudiblePre",
        "Micropause/WarningSoundPre",
        "Micropause/Blank",
        "Micropause/Warning",
        "Micropause/DisableEsc",
        "Micropause/IntelliReset",
        "Micropause/Monitor0",
        "InstallFilter(0,-1)",
        "Micropause/Monitor1",
        "InstallFilter(1,-1)",
        "Exercise/AudibleX",
        "Exercise/EveryM",
        "Exercise/WarningSoundX",
        "Exercise/BlankX",
        "Exercise/ViewAm",
        "saveScheme",
        "Exercise/Scheme",
        "Exercise/xStart",
        "Exercise/NumAtaTime",
        "Exercise/AwayM",
        "Micropause/SkipsPerDay",
        "Exercise/LaterPerBreak",
        "Hold/FullScreen",
        "Hold/MaxM",
        "Hold/Programs",
        "Hold/Calls",
        "Hold/IgnoreDevices",
        "Schedule/On",
        "Schedule/Mon",
        "Schedule/Tue",
        "Schedule/Wed",
        "Schedule/Thu",
        "Schedule/Fri",
        "Schedule/Sat",
        "Schedule/Sun",
        "DailyLimit/On",
        "DailyLimit/LimitM",
        "Hotkeys/MicropauseNow",
        "Hotkeys/ExerciseNow",
        "Hotkeys/Pause",
        "Hotkeys/Skip",
        "Hotkeys/Statistics",
    };
    EXPECT_EQ(a.calls, expected);
}

TEST(SettingsDialog, TheNewWarningShowsAtOnce) {
    ApplyRig a;
    a.Open();
    a.form[Option::Warning] = "Look out of the window.";
    a.Apply();
    EXPECT_EQ(a.shownWarning, "Look out of the window.");
    EXPECT_EQ(a.rig.settings.Warning, "Look out of the window.");
    EXPECT_EQ(a.Stored(kMicropause, "Warning"), "Look out of the window.");
}

TEST(SettingsDialog, MicropauseBoxesAreClampedToWhatTheDialogAllows) {
    struct Case {
        const char* intFor;
        const char* intEvery;
        const char* shownFor;
        const char* shownEvery;
    };
    for (const Case& c : {Case{"75", "1", "60", "2"}, Case{"1", "1500", "3", "999"},
                          Case{"3", "2", "3", "2"}, Case{"60", "999", "60", "999"}}) {
        ApplyRig a;
        a.Open();
        a.form[Option::InterruptFor] = c.intFor;
        a.form[Option::InterruptEvery] = c.intEvery;
        a.Apply();
        EXPECT_EQ(a.form[Option::InterruptFor], c.shownFor) << c.intFor;
        EXPECT_EQ(a.form[Option::InterruptEvery], c.shownEvery) << c.intEvery;
        EXPECT_EQ(a.Stored(kMicropause, "InterruptFor"), c.shownFor);
        EXPECT_EQ(a.Stored(kMicropause, "InterruptEvery"), c.shownEvery);
    }
}

TEST(SettingsDialog, AMicropauseBoxWithoutANumberShowsTheValueInEffectAgain) {
    for (const char* bad : {"", "abc", "4294967296", "1.5"}) {
        ApplyRig a;
        a.rig.settings.InterruptFor = 20;
        a.rig.settings.InterruptEvery = 7;
        a.Open();
        a.form[Option::InterruptFor] = bad;
        a.form[Option::InterruptEvery] = "1";  // judged on its own
        a.Apply();
        EXPECT_EQ(a.form[Option::InterruptFor], "20") << bad;
        EXPECT_EQ(a.rig.settings.InterruptFor, 20) << bad;
        EXPECT_EQ(a.form[Option::InterruptEvery], "2") << bad;
        EXPECT_EQ(a.rig.settings.InterruptEvery, 2) << bad;

        a.form[Option::InterruptFor] = "30";
        a.form[Option::InterruptEvery] = bad;
        a.Apply();
        EXPECT_EQ(a.rig.settings.InterruptFor, 30) << bad;
        EXPECT_EQ(a.form[Option::InterruptEvery], "2") << bad;
        EXPECT_EQ(a.Stored(kMicropause, "InterruptEvery"), "2") << bad;
    }
}

TEST(SettingsDialog, AMicropauseBoxTakesEveryThirtyTwoBitNumberAndNoOther) {
    struct Case {
        const char* typed;
        const char* shown;
    };
    // 20 is the value in effect, which a number beyond 32 bits leaves as it is.
    for (const Case& c : {Case{"-2147483648", "3"}, Case{"2147483647", "60"},
                          Case{"-2147483649", "20"}, Case{"2147483648", "20"}}) {
        ApplyRig a;
        a.rig.settings.InterruptFor = 20;
        a.Open();
        a.form[Option::InterruptFor] = c.typed;
        a.Apply();
        EXPECT_EQ(a.form[Option::InterruptFor], c.shown) << c.typed;
        EXPECT_EQ(a.Stored(kMicropause, "InterruptFor"), c.shown) << c.typed;
    }
}

TEST(SettingsDialog, AwayHoldAndLimitBoxesAreClampedToWhatTheDialogAllows) {
    struct Case {
        Option option;
        const char* section;
        const char* key;
        const char* typed;
        const char* shown;
    };
    for (const Case& c :
         {Case{Option::AwayM, kExercise, "AwayM", "0", "1"},
          Case{Option::AwayM, kExercise, "AwayM", "1", "1"},
          Case{Option::AwayM, kExercise, "AwayM", "120", "120"},
          Case{Option::AwayM, kExercise, "AwayM", "121", "120"},
          Case{Option::MaxM, kHold, "MaxM", "0", "1"}, Case{Option::MaxM, kHold, "MaxM", "1", "1"},
          Case{Option::MaxM, kHold, "MaxM", "480", "480"},
          Case{Option::MaxM, kHold, "MaxM", "481", "480"},
          Case{Option::SkipsPerDay, kMicropause, "SkipsPerDay", "0", "0"},
          Case{Option::SkipsPerDay, kMicropause, "SkipsPerDay", "99", "99"},
          Case{Option::SkipsPerDay, kMicropause, "SkipsPerDay", "100", "99"},
          Case{Option::SkipsPerDay, kMicropause, "SkipsPerDay", "-1", "0"},
          Case{Option::LaterPerBreak, kExercise, "LaterPerBreak", "9", "9"},
          Case{Option::LaterPerBreak, kExercise, "LaterPerBreak", "10", "9"}}) {
        ApplyRig a;
        a.Open();
        a.form[c.option] = c.typed;
        a.Apply();
        EXPECT_EQ(a.form[c.option], c.shown) << c.key << " " << c.typed;
        EXPECT_EQ(a.Stored(c.section, c.key), c.shown) << c.key << " " << c.typed;
    }
}

TEST(SettingsDialog, TheRunningProgramTakesTheNewMicropauseTiming) {
    struct Case {
        std::int32_t from;
        const char* to;
        std::int32_t left;
        std::int32_t leftAfter;
    };
    // The countdown moves by the change of interval, and never below 2 minutes.
    for (const Case& c : {Case{4, "10", 3, 9}, Case{10, "4", 3, 2}, Case{10, "8", 6, 4}}) {
        ApplyRig a;
        a.rig.settings.InterruptEvery = c.from;
        a.rig.settings.IntelliReset = false;
        a.rig.Start();
        a.rig.AdvanceMinutes(static_cast<std::uint64_t>(c.from - c.left));
        ASSERT_EQ(a.rig.state().MinutesToMicropause, c.left);
        a.Open();
        a.form[Option::InterruptEvery] = c.to;
        a.form[Option::InterruptFor] = "20";
        a.Apply();
        EXPECT_EQ(a.rig.state().MinutesToMicropause, c.leftAfter) << c.from << "->" << c.to;
        EXPECT_EQ(std::to_string(a.rig.state().MicropauseInterval), c.to);
        // The idle poll runs at the new length.
        EXPECT_EQ(a.rig.tSeconds.Interval(), 20'000u);
    }
}

TEST(SettingsDialog, AShorterExerciseIntervalCutsTheCountdown) {
    struct Case {
        const char* everyM;
        std::int32_t leftAfter;
    };
    for (const Case& c : {Case{"20", 20}, Case{"60", 35}}) {
        ApplyRig a;
        a.rig.AdvanceMinutes(15);
        ASSERT_EQ(a.rig.state().MinutesToExercise, 35);
        a.Open();
        ASSERT_EQ(a.form[Option::EveryM], "50");
        a.form[Option::EveryM] = c.everyM;
        a.Apply();
        EXPECT_EQ(a.rig.state().MinutesToExercise, c.leftAfter) << c.everyM;
        EXPECT_EQ(a.Stored(kExercise, "EveryM"), c.everyM);
    }
}

TEST(SettingsDialog, ExerciseBoxesWithoutAUsableNumberAreMended) {
    struct Case {
        const char* typed;
        const char* everyMShown;
        const char* numShown;
    };
    const std::string everyMMax = std::to_string(RowOf(Option::EveryM).stored.max);
    const std::string numMax = std::to_string(RowOf(Option::NumAtaTime).stored.max);
    for (const Case& c : {Case{"", "50", "6"}, Case{"abc", "50", "6"}, Case{"0", "0", "0"},
                          Case{"99999999999999", everyMMax.c_str(), numMax.c_str()}}) {
        ApplyRig a;
        a.Open();
        a.form[Option::EveryM] = c.typed;
        a.form[Option::NumAtaTime] = c.typed;
        a.Apply();
        EXPECT_EQ(a.form[Option::EveryM], c.everyMShown) << c.typed;
        EXPECT_EQ(a.form[Option::NumAtaTime], c.numShown) << c.typed;
        EXPECT_EQ(a.Stored(kExercise, "EveryM"), c.everyMShown) << c.typed;
        EXPECT_EQ(a.Stored(kExercise, "NumAtaTime"), c.numShown) << c.typed;
    }
}

// Every 0 minutes: exercise breaks never come, whatever else is applied later, and the
// status window says so; a number again starts the count.
TEST(SettingsDialog, ExerciseBreaksSwitchedOffStayOff) {
    ApplyRig a;
    a.rig.exercise.onReminder = [&] { a.rig.scheduler.ReminderClosed(); };
    a.Open();
    a.form[Option::EveryM] = "0";
    a.Apply();
    a.Open();
    a.form[Option::Warning] = "Something else";
    a.Apply();
    EXPECT_EQ(a.Stored(kExercise, "EveryM"), "0");
    EXPECT_EQ(a.rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: off");
    // Apply stored a real AwayM; the user of this test still never leaves.
    a.rig.settings.AwayM = fakes::kNeverAway;
    a.rig.AdvanceMinutes(180);
    EXPECT_EQ(a.rig.log.Count("reminder"), 0u);
    EXPECT_EQ(a.rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: off");

    a.Open();
    a.form[Option::EveryM] = "20";
    a.Apply();
    a.rig.settings.AwayM = fakes::kNeverAway;
    EXPECT_EQ(a.rig.view.Caption(ViewLabel::lblExercise), "Next Exercise Break: 19 minutes");
    a.rig.AdvanceMinutes(20);
    EXPECT_EQ(a.rig.log.Count("reminder"), 1u);
}

TEST(SettingsDialog, StartingPointAndVideoSize) {
    ApplyRig a;
    a.Open();
    a.form.SetOn(Option::xStart, true);
    a.form[Option::ViewAm] = "9";
    a.Apply();
    EXPECT_EQ(a.rig.settings.xStart, -1);
    EXPECT_EQ(a.Stored(kExercise, "xStart"), "-1");
    EXPECT_EQ(a.Stored(kExercise, "ViewAm"), "4");
    EXPECT_EQ(a.form[Option::ViewAm], "4");

    a.form.SetOn(Option::xStart, false);
    a.form[Option::ViewAm] = "-2";
    a.Apply();
    EXPECT_EQ(a.Stored(kExercise, "xStart"), "0");
    EXPECT_EQ(a.rig.settings.ViewAm, 0);
}

TEST(SettingsDialog, TheHookFollowsTheInputBoxesOnEveryApply) {
    ApplyRig a;
    a.Open();
    a.form.SetOn(Option::Monitor0, false);
    a.Apply();
    EXPECT_EQ(a.Stored(kMicropause, "Monitor0"), "0");
    EXPECT_EQ(a.Stored(kMicropause, "Monitor1"), "1");
    EXPECT_EQ(a.Count("InstallFilter(0,0)"), 1);
    EXPECT_EQ(a.Count("InstallFilter(1,-1)"), 1);
    EXPECT_FALSE(a.rig.hook.Recording(kKeyboard));
    EXPECT_FALSE(a.rig.settings.Monitor[kKeyboard]);

    a.form.SetOn(Option::Monitor0, true);
    a.Apply();
    EXPECT_EQ(a.Stored(kMicropause, "Monitor0"), "1");
    EXPECT_EQ(a.Count("InstallFilter(0,-1)"), 1);
    EXPECT_TRUE(a.rig.hook.Recording(kKeyboard));
}

TEST(SettingsDialog, AnHoursBoxThatCannotBeReadIsRefusedAndTheHoursInEffectAreStored) {
    ApplyRig a;
    a.rig.settings.Hours[1] = "08:00-16:00";
    a.rig.settings.Hours[5] = "10:00-12:00";
    a.Open();
    a.form.SetOn(Option::ScheduleOn, true);
    a.form[Option::HoursMon] = "07:30-12:00, 13:00-15:30";
    a.form[Option::HoursTue] = "9-17";
    a.form[Option::HoursSat] = "10:00-10:00";
    a.form[Option::HoursSun] = "22:00-02:00";
    a.Apply();
    // Every refused day, Monday first, with why.
    EXPECT_EQ(a.refused,
              (std::vector<std::string>{"Tuesday: \"9-17\" is not a range like 09:00-17:00",
                                        "Saturday: \"10:00-10:00\" ends where it starts"}));
    // Nothing of the typed text: the hours in effect stay, and are what is stored.
    EXPECT_EQ(a.rig.settings.Hours[1], "08:00-16:00");
    EXPECT_EQ(a.Stored(kSchedule, "Tue"), "08:00-16:00");
    EXPECT_EQ(a.rig.settings.Hours[5], "10:00-12:00");
    EXPECT_EQ(a.Stored(kSchedule, "Sat"), "10:00-12:00");
    // The box keeps what was typed, to be mended.
    EXPECT_EQ(a.form[Option::HoursTue], "9-17");
    // The readable boxes and the switch are taken.
    EXPECT_EQ(a.rig.settings.Hours[0], "07:30-12:00, 13:00-15:30");
    EXPECT_EQ(a.Stored(kSchedule, "Mon"), "07:30-12:00, 13:00-15:30");
    EXPECT_EQ(a.Stored(kSchedule, "Sun"), "22:00-02:00");
    EXPECT_EQ(a.Stored(kSchedule, "Wed"), "09:00-17:00");
    EXPECT_EQ(a.Stored(kSchedule, "On"), "1");
    EXPECT_TRUE(a.rig.settings.ScheduleOn);

    // Mended, it is taken; an empty box is a day off, and readable.
    a.form[Option::HoursTue] = "09:00-17:00";
    a.form[Option::HoursSat] = "";
    a.Apply();
    EXPECT_TRUE(a.refused.empty());
    EXPECT_EQ(a.Stored(kSchedule, "Tue"), "09:00-17:00");
    EXPECT_EQ(a.Stored(kSchedule, "Sat"), "");
    EXPECT_EQ(a.rig.settings.Hours[5], "");
}

TEST(SettingsDialog, TheDailyLimitIsClampedLikeTheOtherNumberBoxes) {
    struct Case {
        const char* typed;
        const char* shown;
    };
    // 480 is the limit in effect, which text that is no number leaves as it is.
    for (const Case& c : {Case{"29", "30"}, Case{"30", "30"}, Case{"1440", "1440"},
                          Case{"1441", "1440"}, Case{"", "480"}, Case{"8h", "480"}}) {
        ApplyRig a;
        a.Open();
        a.form.SetOn(Option::LimitOn, true);
        a.form[Option::LimitM] = c.typed;
        a.Apply();
        EXPECT_EQ(a.form[Option::LimitM], c.shown) << c.typed;
        EXPECT_EQ(a.Stored(kDailyLimit, "LimitM"), c.shown) << c.typed;
        EXPECT_EQ(a.Stored(kDailyLimit, "On"), "1");
        EXPECT_TRUE(a.rig.settings.LimitOn);
        EXPECT_TRUE(a.refused.empty());
    }
}

TEST(SettingsDialog, AHotKeyIsStoredAsTheProgramWritesItAndTextItCannotReadAsTyped) {
    struct Case {
        const char* typed;
        const char* kept;  // shown, in effect and stored
    };
    for (const Case& c :
         {Case{"ctrl + alt + m", "Ctrl+Alt+M"}, Case{"shift+CTRL+f12", "Ctrl+Shift+F12"},
          Case{"Ctrl+Alt+M", "Ctrl+Alt+M"}, Case{"  ", ""}, Case{"", ""},
          Case{"Ctrl+Alt+Esc", "Ctrl+Alt+Esc"}, Case{"m", "m"}}) {
        ApplyRig a;
        a.Open();
        EXPECT_EQ(a.form[Option::HotkeySkip], "") << "none out of the box";
        a.form[Option::HotkeySkip] = c.typed;
        a.Apply();
        EXPECT_EQ(a.form[Option::HotkeySkip], c.kept) << c.typed;
        EXPECT_EQ(a.rig.settings.Hotkeys[static_cast<std::size_t>(HotKeyCommand::Skip)], c.kept)
            << c.typed;
        EXPECT_EQ(a.Stored(kHotkeys, "Skip"), c.kept) << c.typed;
        EXPECT_TRUE(a.refused.empty());
    }
}

TEST(EscapeLock, TheBoxIsGreyedOnlyWhileTheOutsideLockIsOne) {
    struct Case {
        const char* stored;  // nullptr: not stored
        bool enabled;
    };
    for (const Case& c :
         {Case{"0", true}, Case{"-1", true}, Case{nullptr, true}, Case{"1", false},
          Case{" 1 ", false}, Case{"x", true}, Case{"1.4", true}, Case{"2", true}}) {
        ApplyRig a;
        if (c.stored != nullptr) {
            a.store.SaveSetting(kMicropause, "DisableEsc2", c.stored);
        }
        a.Open();
        EXPECT_EQ(!a.form.escapeLocked, c.enabled) << (c.stored ? c.stored : "missing");
    }
}

TEST(EscapeLock, AppliedWhileLockedEscapingStaysDisabledButTheBoxIsWhatIsStored) {
    ApplyRig a;
    a.store.SaveSetting(kMicropause, "DisableEsc2", "1");
    a.rig.settings = LoadSettings(a.store);
    ASSERT_TRUE(a.rig.settings.DisableEsc);
    a.Open();
    a.form.SetOn(Option::DisableEsc, false);
    a.Apply();
    EXPECT_TRUE(a.rig.settings.DisableEsc);
    EXPECT_EQ(a.Stored(kMicropause, "DisableEsc"), "0");
    EXPECT_EQ(a.Stored(kMicropause, "DisableEsc2"), "1");

    // Without the lock the box decides.
    a.store.SaveSetting(kMicropause, "DisableEsc2", "0");
    a.Apply();
    EXPECT_FALSE(a.rig.settings.DisableEsc);
    a.form.SetOn(Option::DisableEsc, true);
    a.Apply();
    EXPECT_TRUE(a.rig.settings.DisableEsc);
    EXPECT_EQ(a.Stored(kMicropause, "DisableEsc"), "1");
}

}  // namespace
}  // namespace rilto
