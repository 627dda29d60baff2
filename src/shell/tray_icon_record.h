#pragma once
// What the program asks of the notification area for its icon, decided here and copied
// into the record Shell_NotifyIconW takes: which of the record's fields count, the
// callback, which of the two icons shows and the tip. The values are Windows' own
// (NIF_MESSAGE, NIF_ICON, NIF_TIP, NIF_SHOWTIP, NOTIFYICON_VERSION_4), checked against
// the headers where the record is filled.

#include <cstdint>
#include <optional>
#include <string>

#include "shell/tray_tip.h"

namespace rilto {

inline constexpr std::uint32_t kTrayFlagMessage = 0x01;
inline constexpr std::uint32_t kTrayFlagIcon = 0x02;
inline constexpr std::uint32_t kTrayFlagTip = 0x04;
// Under NOTIFYICON_VERSION_4 the taskbar shows the tip only when asked to.
inline constexpr std::uint32_t kTrayFlagShowTip = 0x80;
// The taskbar's newer notifications: the event in the low word of lParam, the icon's id
// in the high word, the anchor in wParam, and events of the keyboard. Asked for after
// every add.
inline constexpr std::uint32_t kTrayNotifyVersion = 4;

inline constexpr std::uint32_t kTrayIconId = 1;
// The icon reports through the hook window's mouse-move message.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x200;

enum class TrayIconCall { Add, Modify };

struct TrayIconRecord {
    std::uint32_t id = kTrayIconId;
    std::uint32_t flags = 0;
    // 0 when the call leaves the callback as it is.
    std::uint32_t callbackMessage = 0;
    // The paused icon rather than the program's.
    bool pausedIcon = false;
    std::string tip;
};

// The record of an add (the callback too) or of a change of what the icon shows, for
// the breaks paused until `pausedUntil` ("hh:nn", empty when not), today's count and off
// hours, and reading mode: the paused icon while paused or off hours.
TrayIconRecord TrayRecordFor(TrayIconCall call, const std::string& pausedUntil,
                             std::optional<int> micropausesToday,
                             const OffHoursShown& offHours = {}, bool readingMode = false);

}  // namespace rilto
