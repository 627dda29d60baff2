#include "engine/hold.h"

#include "common/name_case.h"

namespace rilto {

namespace {

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> HoldPrograms(std::string_view programs) {
    std::vector<std::string> names;
    while (!programs.empty()) {
        const auto end = programs.find(';');
        const std::string_view name = FileNameOf(Trimmed(programs.substr(0, end)));
        if (!name.empty()) {
            names.emplace_back(name);
        }
        programs = end == std::string_view::npos ? std::string_view() : programs.substr(end + 1);
    }
    return names;
}

HoldReason ReasonToHold(const ForegroundView& view, const Settings& settings) {
    if (settings.FullScreen) {
        if (view.coversMonitor) {
            return HoldReason::FullScreen;
        }
        switch (view.notificationState) {
            case kNotificationBusy:
            case kNotificationDirect3dFullScreen:
            case kNotificationPresentation:
                return HoldReason::Notifications;
            default:
                break;
        }
        if (view.focusAssist) {
            return HoldReason::FocusAssist;
        }
    }
    if (!view.program.empty()) {
        const std::string_view program = FileNameOf(view.program);
        for (const std::string& listed : HoldPrograms(settings.Programs)) {
            if (SameName(listed, program)) {
                return HoldReason::Program;
            }
        }
    }
    return HoldReason::None;
}

HoldGate::HoldGate(const Settings& settings, HoldProbe& probe, Timer& tHold, Clock& clock,
                   std::uint32_t minuteMs)
    : settings_(settings), probe_(probe), tHold_(tHold), clock_(clock), minuteMs_(minuteMs) {}

HoldReason HoldGate::Reason() {
    const HoldReason reason = ReasonToHold(probe_.Look(), settings_);
    if (reason != HoldReason::None || !settings_.Calls) {
        return reason;
    }
    return CallHolds(probe_.DevicesInUse(), settings_, clock_.UtcNow()) ? HoldReason::Call
                                                                        : HoldReason::None;
}

bool HoldGate::WouldHold() {
    return holding_ || Reason() != HoldReason::None;
}

bool HoldGate::Holds() {
    if (holding_) {
        return true;
    }
    if (!WouldHold()) {
        return false;
    }
    holding_ = true;
    heldSince_ = clock_.TickCount();
    tHold_.SetInterval(kHoldPollMs);
    tHold_.SetEnabled(true);
    return true;
}

void HoldGate::Look() {
    if (!holding_) {
        tHold_.SetEnabled(false);
        return;
    }
    // The tick count wraps every 49.7 days; the difference does not care.
    const std::uint32_t held = clock_.TickCount() - heldSince_;
    const auto cap = static_cast<std::uint32_t>(settings_.MaxM) * minuteMs_;
    if (held >= cap || Reason() == HoldReason::None) {
        Release();
    }
}

void HoldGate::Clear() {
    holding_ = false;
    tHold_.SetEnabled(false);
}

void HoldGate::Release() {
    Clear();
    if (release_) {
        release_();
    }
}

}  // namespace rilto
