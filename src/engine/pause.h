#pragma once
// A pause of the breaks for a while: an absolute end, kept in the store as UTC
// ("Options"/"PausedUntil", "YYYY-MM-DDThh:mm:ssZ"), so that it survives restarts, sleep
// and log-off and ends by itself. Empty or missing is no pause; a value that cannot be
// read, or one more than 48 hours ahead, is none either and is cleared.
// The tick count, which never goes back, keeps the wall clock honest: a pause lasts no
// longer than it was meant to when the clock is set back meanwhile, and how recently one
// ended is measured on it.

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

    // Paused at this moment: its end has come neither by the wall clock nor by the time
    // that passed since it began.
    bool Active();
    // Paused at some moment of the last `seconds` that passed: that stretch was no work.
    bool PausedWithinLast(std::int64_t seconds);
    // The end, local, "hh:nn"; empty when not paused.
    std::string UntilText();

  private:
    void Begin(std::int64_t until);
    void End();
    // The pause's end on the tick count, as it stands: no later than now once the wall
    // clock has passed it.
    std::uint64_t EndTick();
    // The end follows the tick count when the wall clock was set back, also in the store;
    // true when it moved.
    bool FollowClockSetBack();
    // The timer looks again at the end, and at least every minute meanwhile, so that a
    // change of the system's clock is seen.
    void Arm();

    SettingsStore& store_;
    Clock& clock_;
    Timer& tPause_;
    std::function<void()> changed_;
    std::optional<std::int64_t> until_;
    // The tick count at which the pause ends, by the time it was asked for.
    std::uint64_t endTick_ = 0;
    // The tick count at which the latest pause ended, until no stretch asked about
    // reaches back to it.
    std::optional<std::uint64_t> lastEndTick_;
    std::int64_t longestAsked_ = 0;
};

}  // namespace rilto
