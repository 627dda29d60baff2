// The running copy's side of riltoctl: requests carried out on the core, and a request
// that is none of riltoctl's commands changing nothing at all.

#include <gtest/gtest.h>

#include "common/control_command.h"
#include "engine/pause.h"
#include "fakes/exercise_rig.h"
#include "shell/control_desk.h"

namespace rilto {
namespace {

struct DeskRig : fakes::ExerciseRig {
    DeskRig() {
        settings.InterruptFor = 10;
        settings.InterruptEvery = 4;
        UseScheme(2, {}, 5);
        Start();
    }
    ControlReply Send(std::string_view request) {
        return CarryOut(request, ControlDeskPorts{core, [this] { ++exerciseNows; },
                                                  [this] { ++statisticsShown; }});
    }
    std::map<std::string, std::string> Stored() const {
        std::map<std::string, std::string> values;
        store.ForEachValue(
            [&values](const std::string& section, const std::string& key, const std::string& text) {
                values[section + "\\" + key] = text;
            });
        return values;
    }
    std::string PausedUntil() const { return store.GetSetting(kOptions, kPausedUntilKey, ""); }
    int exerciseNows = 0;
    int statisticsShown = 0;
};

TEST(ControlDesk, APauseIsStoredBeforeTheAnswerResumeEndsItAndStatusAnswers) {
    DeskRig rig;
    ControlReply reply = rig.Send("pause 30");
    EXPECT_TRUE(reply.done);
    EXPECT_EQ(reply.answer, "");
    EXPECT_FALSE(reply.afterReply);
    EXPECT_FALSE(rig.PausedUntil().empty());
    EXPECT_EQ(rig.core.pause().UntilText(), "09:30");
    EXPECT_EQ(rig.status.pausedUntil, "09:30") << "the tray hears of it";

    EXPECT_TRUE(rig.Send("resume").done);
    EXPECT_EQ(rig.PausedUntil(), "");
    EXPECT_FALSE(rig.core.pause().Active());

    EXPECT_TRUE(rig.Send("pause tomorrow").done);
    EXPECT_EQ(rig.core.pause().UntilText(), "00:00");

    const ControlReply status = rig.Send("status");
    EXPECT_TRUE(status.done);
    EXPECT_EQ(status.answer.rfind("next micropause off\n", 0), 0u) << status.answer;
    EXPECT_TRUE(ParseAnswer(status.answer)) << "riltoctl takes it";
}

TEST(ControlDesk, BreaksAndTheStatisticsWindowComeAfterTheAnswer) {
    DeskRig rig;
    ControlReply reply = rig.Send("micropause");
    ASSERT_TRUE(reply.done);
    ASSERT_TRUE(reply.afterReply);
    EXPECT_FALSE(rig.state().MicropauseRunning) << "not before the answer";
    reply.afterReply();
    EXPECT_TRUE(rig.state().MicropauseRunning);

    reply = rig.Send("exercise");
    ASSERT_TRUE(reply.afterReply);
    EXPECT_EQ(rig.exerciseNows, 0);
    reply.afterReply();
    EXPECT_EQ(rig.exerciseNows, 1);

    reply = rig.Send("statistics");
    ASSERT_TRUE(reply.afterReply);
    reply.afterReply();
    EXPECT_EQ(rig.statisticsShown, 1);
}

TEST(ControlDesk, ARequestThatIsNoCommandChangesNothing) {
    DeskRig rig;
    rig.AdvanceSeconds(20);
    const auto before = rig.Stored();
    const SchedulerState state = rig.state();
    for (const std::string& bad : std::vector<std::string>{
             "", "help", "shutdown", "Pause 30", "pause 0", "pause 1441", "pause  30", "pause 30 ",
             "micropause\n", std::string("resume\0", 7), std::string(200, 'p'), "status please"}) {
        const ControlReply reply = rig.Send(bad);
        EXPECT_FALSE(reply.done) << testing::PrintToString(bad);
        EXPECT_EQ(reply.answer, "");
        EXPECT_FALSE(reply.afterReply);
    }
    EXPECT_EQ(rig.Stored(), before);
    EXPECT_EQ(rig.state().MinutesToMicropause, state.MinutesToMicropause);
    EXPECT_FALSE(rig.state().MicropauseRunning);
    EXPECT_FALSE(rig.core.pause().Active());
    EXPECT_EQ(rig.exerciseNows + rig.statisticsShown, 0);
}

}  // namespace
}  // namespace rilto
