#pragma once
// A pause of the breaks for a while: an absolute end, kept in the store as UTC
// ("Options"/"PausedUntil", "YYYY-MM-DDThh:mm:ssZ"), so that it survives restarts, sleep
// and log-off and ends by itself. Empty or missing is no pause; a value that cannot be
// read, or one more than 48 hours ahead, is none either and is cleared.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/settings_store.h"
#include "engine/clock.h"
#include "engine/timer.h"

namespace rilto {

inline constexpr char kPausedUntilKey[] = "PausedUntil";
inline constexpr std::int64_t kMaxPauseAheadSeconds = 48 * 3600;

class Pause {
  public:
    Pause(SettingsStore& store, Clock& clock, Timer& tPause);
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

    // Told whenever a pause begins or ends, by the user or by itself.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    // The store read afresh: at start-up, after sleep and at each tick of the pause's
    // timer. A pause that has ended, or a value that is none, is cleared.
    void Check();
    // "For 30 minutes", "For 1 hour", "For 2 hours": from now.
    void For(std::int32_t minutes);
    // "Until tomorrow": the next local midnight.
    void UntilTomorrow();
    // "Resume": at once.
    void Resume();

    // Paused at this moment.
    bool Active();
    // Paused at some moment of the last `seconds`: that stretch was no work.
    bool PausedWithinLast(std::int64_t seconds);
    // The end, local, "hh:nn"; empty when not paused.
    std::string UntilText();

  private:
    void Begin(std::int64_t until);
    void End();
    // The timer looks again at the end, and at least every minute meanwhile, so that a
    // change of the system's clock is seen.
    void Arm();

    SettingsStore& store_;
    Clock& clock_;
    Timer& tPause_;
    std::function<void()> changed_;
    std::optional<std::int64_t> until_;
    // When the latest pause ends or ended.
    std::optional<std::int64_t> lastEnd_;
};

}  // namespace rilto
