#include "settings/settings_form.h"

#include "common/product.h"
#include "common/text.h"

namespace rilto {

namespace {

// "DisableEsc2" is set from outside the program to lock escaping on; while it is 1 the
// user cannot untick the box. Only a whole number reads: text that is not one, a
// fraction like "1.4" included, counts as 0 and leaves the box free.
bool EscapeLockedFromOutside(const SettingsStore& store) {
    const auto value = ParseDecimal(store.GetSetting(kMicropause, "DisableEsc2", "0"));
    return value.value_or(0) == 1;
}

}  // namespace

SettingsForm LoadForm(const Settings& settings, const SettingsStore& store) {
    SettingsForm form;
    form.txtIntFor = std::to_string(settings.InterruptFor);
    form.txtIntEvery = std::to_string(settings.InterruptEvery);
    form.chkReset = settings.IntelliReset;
    form.chkMonitor = settings.Monitor;
    form.chkAudible = settings.Audible;
    form.chkAudiblePre = settings.AudiblePre;
    form.chkBlank = settings.Blank;
    form.txtWarning = settings.Warning;
    form.chkDisableEsc = settings.DisableEsc;
    form.chkDisableEscEnabled = !EscapeLockedFromOutside(store);

    form.txtEveryM = std::to_string(settings.EveryM);
    form.chkAudibleX = settings.AudibleX;
    form.chkBlankX = settings.BlankX;
    form.comboView = settings.ViewAm;
    form.txtNumAtaTime = std::to_string(settings.NumAtaTime);
    form.optXstartRandom = settings.xStart != 0;
    return form;
}

}  // namespace rilto
