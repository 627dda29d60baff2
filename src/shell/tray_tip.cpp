#include "shell/tray_tip.h"

#include "common/product.h"
#include "common/texts.h"

namespace rilto {

std::string TrayTip(const std::string& pausedUntil, std::optional<int> micropausesToday) {
    if (!pausedUntil.empty()) {
        return kPausedTipBefore + pausedUntil;
    }
    if (!micropausesToday) {
        return kProductTitle;
    }
    return kTodayTipBefore + std::to_string(*micropausesToday) +
           (*micropausesToday == 1 ? kTodayTipOne : kTodayTipMany);
}

}  // namespace rilto
