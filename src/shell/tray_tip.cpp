#include "shell/tray_tip.h"

#include "common/product.h"
#include "common/texts.h"

namespace rilto {

namespace {

std::string TipWithoutMode(const std::string& pausedUntil, std::optional<int> micropausesToday,
                           const OffHoursShown& offHours) {
    if (!pausedUntil.empty()) {
        return kPausedTipBefore + pausedUntil;
    }
    if (offHours.active) {
        return offHours.until.empty() ? std::string(kOffHoursTip)
                                      : kOffHoursTip + std::string(kOffHoursUntil) + offHours.until;
    }
    if (!micropausesToday) {
        return kProductTitle;
    }
    return kTodayTipBefore + std::to_string(*micropausesToday) +
           (*micropausesToday == 1 ? kTodayTipOne : kTodayTipMany);
}

}  // namespace

std::string TrayTip(const std::string& pausedUntil, std::optional<int> micropausesToday,
                    const OffHoursShown& offHours, bool readingMode) {
    const std::string tip = TipWithoutMode(pausedUntil, micropausesToday, offHours);
    if (!readingMode) {
        return tip;
    }
    if (tip == kProductTitle) {
        return kTodayTipBefore + std::string(kReadingModeTip);
    }
    return tip + kReadingModeTipAfter + kReadingModeTip;
}

std::string OffHoursText(const std::string& until) {
    return until.empty() ? std::string(kOffHoursLine)
                         : kOffHoursLine + std::string(kOffHoursUntil) + until;
}

}  // namespace rilto
