#include "shell/hot_keys.h"

#include <utility>

namespace rilto {

HotKeys::HotKeys(HotKeyRegistrar& registrar, RiltoCore& core, std::function<void()> showStatistics)
    : registrar_(registrar), core_(core), showStatistics_(std::move(showStatistics)) {}

void HotKeys::Register(const Settings& settings) {
    Release();
    for (std::size_t i = 0; i < kHotKeyCommands; ++i) {
        HotKeyState& state = states_[i];
        state = {};
        const HotKeyReading reading = ReadHotKey(settings.Hotkeys[i]);
        if (!reading.key) {
            if (reading.problem != HotKeyProblem::None) {
                state = {HotKeyOutcome::Unreadable, settings.Hotkeys[i], reading.problem};
            }
            continue;
        }
        state.text = HotKeyText(*reading.key);
        // Windows would refuse the second registration as if another program had the key.
        bool repeated = false;
        for (std::size_t before = 0; before < i; ++before) {
            repeated = repeated || (states_[before].outcome != HotKeyOutcome::Unreadable &&
                                    states_[before].text == state.text);
        }
        if (repeated) {
            state.outcome = HotKeyOutcome::Repeated;
            continue;
        }
        held_[i] = registrar_.Register(IdOf(static_cast<HotKeyCommand>(i)), *reading.key);
        state.outcome = held_[i] ? HotKeyOutcome::Registered : HotKeyOutcome::Refused;
    }
    if (changed_) {
        changed_();
    }
}

void HotKeys::Release() {
    for (std::size_t i = 0; i < kHotKeyCommands; ++i) {
        if (held_[i]) {
            registrar_.Unregister(IdOf(static_cast<HotKeyCommand>(i)));
            held_[i] = false;
        }
    }
}

bool HotKeys::Pressed(int id) {
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(kHotKeyCommands) ||
        !held_[static_cast<std::size_t>(index)]) {
        return false;
    }
    Run(static_cast<HotKeyCommand>(index));
    return true;
}

void HotKeys::Run(HotKeyCommand command) {
    switch (command) {
        case HotKeyCommand::MicropauseNow:
            core_.MicropauseNow();
            return;
        case HotKeyCommand::ExerciseNow:
            core_.ExerciseNow();
            return;
        case HotKeyCommand::Pause:
            if (core_.pause().Active()) {
                core_.Resume();
            } else {
                core_.PauseFor(kHotKeyPauseMinutes);
            }
            return;
        case HotKeyCommand::Skip:
            // ESC's own ways: the micropause screen's, and the player's, which asks first.
            // Without a break on screen ESC would close the status window: not here.
            if (core_.scheduler().State().MicropauseRunning) {
                core_.scheduler().EscapePressed();
            } else if (core_.breaks().ExerciseInProgress()) {
                core_.breaks().StopRequested();
            }
            return;
        case HotKeyCommand::Statistics:
            if (showStatistics_) {
                showStatistics_();
            }
            return;
    }
}

}  // namespace rilto
