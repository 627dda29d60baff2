#include "shell/tray_icon_record.h"

#include "shell/tray_tip.h"

namespace rilto {

TrayIconRecord TrayRecordFor(TrayIconCall call, const std::string& pausedUntil,
                             std::optional<int> micropausesToday, const OffHoursShown& offHours,
                             bool readingMode) {
    TrayIconRecord record;
    record.flags = kTrayFlagIcon | kTrayFlagTip | kTrayFlagShowTip;
    if (call == TrayIconCall::Add) {
        record.flags |= kTrayFlagMessage;
        record.callbackMessage = kTrayCallbackMessage;
    }
    record.pausedIcon = !pausedUntil.empty() || offHours.active;
    record.tip = TrayTip(pausedUntil, micropausesToday, offHours, readingMode);
    return record;
}

}  // namespace rilto
