#pragma once
// Holding breaks while the user presents, plays, shares a screen or is on a call: what
// the foreground looks like, whether that or a call holds a break that falls due, and the
// gate that keeps a held break until the hold ends (or has lasted MaxM minutes) and then
// lets it through.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/settings.h"
#include "engine/calls.h"
#include "engine/clock.h"
#include "engine/timer.h"

namespace rilto {

// SHQueryUserNotificationState's answers that hold breaks: busy (a full-screen program),
// a full-screen Direct3D program, presentation mode. "Quiet time" marks only a new user's
// first hour and holds nothing.
inline constexpr int kNotificationBusy = 2;
inline constexpr int kNotificationDirect3dFullScreen = 3;
inline constexpr int kNotificationPresentation = 4;

// The foreground as Windows shows it now.
struct ForegroundView {
    // Another program's window in the foreground covers the whole of its monitor; never
    // the desktop or the taskbar.
    bool coversMonitor = false;
    // The program file name of the foreground window, "powerpnt.exe"; empty when unknown.
    std::string program;
    // SHQueryUserNotificationState, 0 when Windows does not say.
    int notificationState = 0;
    // Focus Assist is on, where Windows lets a program read it.
    bool focusAssist = false;
};

// Looks at the foreground window, and at Windows' record of the microphone's and the
// camera's users: cheap enough to ask every 2 seconds.
class HoldProbe {
  public:
    virtual ~HoldProbe() = default;
    virtual ForegroundView Look() = 0;
    // The uses of the microphone and the camera going on now; none where Windows keeps
    // no record.
    virtual std::vector<DeviceUse> DevicesInUse() = 0;
};

enum class HoldReason { None, FullScreen, Notifications, FocusAssist, Program, Call };

// The program file names of "Programs": separated by ";", blanks around each dropped,
// empty ones skipped, a folder in front of a name ignored.
std::vector<std::string> HoldPrograms(std::string_view programs);

// Whether, and why, the foreground holds breaks under the "Hold" options. Calls are the
// gate's to ask about.
HoldReason ReasonToHold(const ForegroundView& view, const Settings& settings);

// How often a hold is looked at while a break waits.
inline constexpr std::uint32_t kHoldPollMs = 2000;

// Keeps breaks that fall due during a hold. A held break is never dropped: the gate lets
// it through at the first look that finds the hold over, or once the hold has kept it
// for MaxM minutes, so that a long game or call cannot switch the program off. It looks
// at the foreground, and then at the devices, only when a break falls due, and then every
// 2 seconds while one waits.
class HoldGate {
  public:
    // MaxM counts minutes of `minuteMs` milliseconds.
    HoldGate(const Settings& settings, HoldProbe& probe, Timer& tHold, Clock& clock,
             std::uint32_t minuteMs);
    HoldGate(const HoldGate&) = delete;
    HoldGate& operator=(const HoldGate&) = delete;

    // Told when held breaks may come.
    void OnRelease(std::function<void()> release) { release_ = std::move(release); }

    // A break falls due: whether it must wait. The first break held starts the count
    // towards MaxM and the looks every 2 seconds.
    bool Holds();
    // Whether a break falling due now would wait, without holding anything.
    bool WouldHold();
    // The look every 2 seconds: the hold over, or kept for MaxM minutes, lets the
    // breaks through.
    void Look();
    // Nothing waits any more (the breaks came another way): the looks stop.
    void Clear();
    bool Holding() const { return holding_; }
    // Why a break falling due now would wait: the foreground first; the devices are read
    // only when it holds nothing and calls hold breaks.
    HoldReason Reason();

  private:
    void Release();

    const Settings& settings_;
    HoldProbe& probe_;
    Timer& tHold_;
    Clock& clock_;
    const std::uint32_t minuteMs_;
    std::function<void()> release_;
    bool holding_ = false;
    std::uint32_t heldSince_ = 0;
};

}  // namespace rilto
