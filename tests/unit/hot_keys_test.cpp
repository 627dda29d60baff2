// The global hot keys on the program's core: which keys are registered with which ids,
// what is reported for those that cannot be had, and what each key does when pressed.

#include "shell/hot_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "fakes/exercise_rig.h"

namespace rilto {
namespace {

// Windows' side: the keys held by id; keys that "another program" has are refused.
struct FakeRegistrar : HotKeyRegistrar {
    bool Register(int id, const HotKey& key) override {
        ++registrations;
        const std::string text = HotKeyText(key);
        if (othersHave.count(text) != 0) {
            return false;
        }
        for (const auto& [heldId, heldText] : held) {
            if (heldText == text) {
                return false;  // as Windows: one key, one owner
            }
        }
        held[id] = text;
        return true;
    }
    void Unregister(int id) override { held.erase(id); }

    std::map<int, std::string> held;
    std::set<std::string> othersHave;
    int registrations = 0;
};

struct HotKeyRig : fakes::ExerciseRig {
    HotKeyRig() : keys(registrar, core, [this] { ++statisticsShown; }) {
        settings.InterruptFor = 10;
        settings.DisableEsc = false;
        keys.OnChange([this] { ++changes; });
    }
    void Give(HotKeyCommand command, const std::string& text) {
        settings.Hotkeys[static_cast<std::size_t>(command)] = text;
    }
    bool Press(HotKeyCommand command) { return keys.Pressed(HotKeys::IdOf(command)); }
    const HotKeyState& StateOf(HotKeyCommand command) const {
        return keys.States()[static_cast<std::size_t>(command)];
    }

    FakeRegistrar registrar;
    int statisticsShown = 0;
    int changes = 0;
    HotKeys keys;
};

TEST(HotKeys, NoneAreRegisteredOutOfTheBox) {
    HotKeyRig rig;
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.registrar.registrations, 0);
    EXPECT_EQ(HotKeyStatusLines(rig.keys.States()), "");
    EXPECT_EQ(rig.changes, 1);
    EXPECT_FALSE(rig.Press(HotKeyCommand::MicropauseNow));
}

TEST(HotKeys, EachKeyIsRegisteredUnderItsCommandsIdAsTheProgramWritesIt) {
    HotKeyRig rig;
    rig.Give(HotKeyCommand::MicropauseNow, "ctrl+alt+m");
    rig.Give(HotKeyCommand::Statistics, "Win + F9");
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.registrar.held,
              (std::map<int, std::string>{{0x100, "Ctrl+Alt+M"}, {0x104, "Win+F9"}}));
    EXPECT_EQ(rig.StateOf(HotKeyCommand::MicropauseNow),
              (HotKeyState{HotKeyOutcome::Registered, "Ctrl+Alt+M", HotKeyProblem::None}));
    EXPECT_EQ(rig.StateOf(HotKeyCommand::Pause).outcome, HotKeyOutcome::None);

    // Registered afresh: two commands may swap their keys, and a key taken away is let go.
    rig.Give(HotKeyCommand::MicropauseNow, "Win+F9");
    rig.Give(HotKeyCommand::Statistics, "Ctrl+Alt+M");
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.registrar.held,
              (std::map<int, std::string>{{0x100, "Win+F9"}, {0x104, "Ctrl+Alt+M"}}));
    rig.Give(HotKeyCommand::Statistics, "");
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.registrar.held, (std::map<int, std::string>{{0x100, "Win+F9"}}));
    EXPECT_FALSE(rig.Press(HotKeyCommand::Statistics));

    // The program ends: every key let go.
    rig.keys.Release();
    EXPECT_TRUE(rig.registrar.held.empty());
    EXPECT_EQ(rig.changes, 3);
}

TEST(HotKeys, AKeyThatCannotBeHadIsReportedAndTheOthersWork) {
    HotKeyRig rig;
    rig.registrar.othersHave.insert("Ctrl+Alt+M");
    rig.Give(HotKeyCommand::MicropauseNow, "Ctrl+Alt+M");
    rig.Give(HotKeyCommand::ExerciseNow, "Ctrl+Alt+");
    rig.Give(HotKeyCommand::Pause, "Ctrl+Shift+P");
    rig.Give(HotKeyCommand::Skip, "ctrl+shift+p");
    rig.Give(HotKeyCommand::Statistics, "Alt+S");
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.StateOf(HotKeyCommand::MicropauseNow).outcome, HotKeyOutcome::Refused);
    EXPECT_EQ(rig.StateOf(HotKeyCommand::ExerciseNow),
              (HotKeyState{HotKeyOutcome::Unreadable, "Ctrl+Alt+", HotKeyProblem::Malformed}));
    EXPECT_EQ(rig.StateOf(HotKeyCommand::Pause).outcome, HotKeyOutcome::Registered);
    EXPECT_EQ(rig.StateOf(HotKeyCommand::Skip).outcome, HotKeyOutcome::Repeated);
    EXPECT_EQ(rig.StateOf(HotKeyCommand::Statistics).outcome, HotKeyOutcome::Registered);
    EXPECT_EQ(HotKeyStatusLines(rig.keys.States()),
              "Hot key Ctrl+Alt+M is used by another program\n"
              "Hot key \"Ctrl+Alt+\" cannot be read: a part is missing\n"
              "Hot key Ctrl+Shift+P is given to two commands");
    // Windows was asked only for the keys that could be read, each once.
    EXPECT_EQ(rig.registrar.registrations, 3);
    EXPECT_EQ(rig.registrar.held,
              (std::map<int, std::string>{{0x102, "Ctrl+Shift+P"}, {0x104, "Alt+S"}}));
    // Nothing else changed: the keys that work, work.
    EXPECT_FALSE(rig.Press(HotKeyCommand::MicropauseNow));
    EXPECT_TRUE(rig.Press(HotKeyCommand::Statistics));
    EXPECT_EQ(rig.statisticsShown, 1);

    // The other program lets go of it: the next registration (Apply) has it.
    rig.registrar.othersHave.clear();
    rig.keys.Register(rig.settings);
    EXPECT_EQ(rig.StateOf(HotKeyCommand::MicropauseNow).outcome, HotKeyOutcome::Registered);
}

TEST(HotKeys, MicropauseNowExerciseNowAndStatistics) {
    HotKeyRig rig;
    rig.UseScheme(2, {}, 5);
    rig.Give(HotKeyCommand::MicropauseNow, "Ctrl+Alt+M");
    rig.Give(HotKeyCommand::ExerciseNow, "Ctrl+Alt+E");
    rig.Give(HotKeyCommand::Statistics, "Ctrl+Alt+S");
    rig.Start();
    rig.keys.Register(rig.settings);
    EXPECT_FALSE(rig.keys.Pressed(HotKeys::kFirstId + 5));
    EXPECT_FALSE(rig.keys.Pressed(1));  // ESC's hot key is the break screens'

    ASSERT_TRUE(rig.Press(HotKeyCommand::MicropauseNow));
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.AdvanceSeconds(11);
    EXPECT_FALSE(rig.state().MicropauseRunning);

    ASSERT_TRUE(rig.Press(HotKeyCommand::ExerciseNow));
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.RunToEnd();

    ASSERT_TRUE(rig.Press(HotKeyCommand::Statistics));
    EXPECT_EQ(rig.statisticsShown, 1);
}

TEST(HotKeys, PausePausesForAnHourOrResumes) {
    HotKeyRig rig;
    rig.Give(HotKeyCommand::Pause, "Ctrl+Alt+P");
    rig.Start();
    rig.keys.Register(rig.settings);
    ASSERT_TRUE(rig.Press(HotKeyCommand::Pause));
    EXPECT_EQ(rig.status.pausedUntil, "10:00");
    EXPECT_TRUE(rig.core.pause().Active());
    ASSERT_TRUE(rig.Press(HotKeyCommand::Pause));
    EXPECT_EQ(rig.status.pausedUntil, "");
    EXPECT_FALSE(rig.core.pause().Active());
    // A pause from the tray is resumed the same way.
    rig.core.PauseUntilTomorrow();
    ASSERT_TRUE(rig.Press(HotKeyCommand::Pause));
    EXPECT_FALSE(rig.core.pause().Active());
}

TEST(HotKeys, SkipIsEscOnTheBreakOnScreenAndNothingWithoutOne) {
    HotKeyRig rig;
    rig.UseScheme(2, {}, 30);
    rig.Give(HotKeyCommand::Skip, "Ctrl+Alt+K");
    rig.Start();
    rig.keys.Register(rig.settings);

    // No break on screen: the status window that ESC would close stays.
    rig.scheduler.StatusRequested();
    const std::size_t events = rig.log.Events().size();
    ASSERT_TRUE(rig.Press(HotKeyCommand::Skip));
    EXPECT_EQ(rig.log.Events().size(), events);
    rig.scheduler.StatusOk();

    // A micropause ends at the next step of its bar, as with ESC.
    rig.core.MicropauseNow();
    ASSERT_TRUE(rig.state().MicropauseRunning);
    rig.Press(HotKeyCommand::Skip);
    EXPECT_TRUE(rig.state().MicropauseSkipped);
    rig.AdvanceSeconds(1);
    EXPECT_FALSE(rig.state().MicropauseRunning);

    // Where ESC may not end it, neither may the key.
    rig.settings.DisableEsc = true;
    rig.core.MicropauseNow();
    rig.Press(HotKeyCommand::Skip);
    rig.AdvanceSeconds(2);
    EXPECT_TRUE(rig.state().MicropauseRunning);
    rig.AdvanceSeconds(9);
    ASSERT_FALSE(rig.state().MicropauseRunning);

    // An exercise break: the player asks first, as with ESC.
    rig.flow.ExerciseNowFromTray();
    ASSERT_TRUE(rig.flow.ExerciseInProgress());
    rig.player.answerYes = false;
    rig.Press(HotKeyCommand::Skip);
    EXPECT_EQ(rig.player.asked, 1);
    rig.AdvanceSeconds(2);
    EXPECT_TRUE(rig.flow.ExerciseInProgress());
    rig.player.answerYes = true;
    rig.Press(HotKeyCommand::Skip);
    EXPECT_EQ(rig.player.asked, 2);
    rig.AdvanceSeconds(2);  // it ends at the next second, as ESC ends it
    EXPECT_FALSE(rig.flow.ExerciseInProgress());
}

}  // namespace
}  // namespace rilto
