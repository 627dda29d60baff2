#include "shell/control_desk.h"

#include "common/control_command.h"
#include "shell/rilto_core.h"
#include "shell/status_report.h"

namespace rilto {

ControlReply CarryOut(std::string_view request, const ControlDeskPorts& ports) {
    const std::optional<ControlCommand> command = ParseRequest(request);
    if (!command) {
        return {};
    }
    RiltoCore& core = ports.core;
    ControlReply reply;
    reply.done = true;
    switch (command->verb) {
        case ControlVerb::PauseFor:
            core.PauseFor(command->minutes);
            break;
        case ControlVerb::PauseUntilTomorrow:
            core.PauseUntilTomorrow();
            break;
        case ControlVerb::Resume:
            core.Resume();
            break;
        case ControlVerb::Status:
            reply.answer = StatusText(StatusOf(core));
            break;
        case ControlVerb::Micropause:
            reply.afterReply = [&core] { core.MicropauseNow(); };
            break;
        case ControlVerb::Exercise:
            reply.afterReply = ports.exerciseNow;
            break;
        case ControlVerb::Statistics:
            reply.afterReply = ports.statistics;
            break;
        case ControlVerb::Help:
            return {};  // never sent
    }
    return reply;
}

}  // namespace rilto
