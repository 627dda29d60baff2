#include "settings/settings_pages_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "common/raise.h"
#include "common/system_function_win.h"
#include "common/text.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "exercise/exercise_media.h"
#include "settings/frm_settings_ids.h"
#include "settings/number_box_win.h"
#include "settings/schedule_boxes.h"
#include "settings/sound_choice.h"

namespace rilto {

namespace {

constexpr OptionControl kMicropauseControls[] = {
    {IDC_TXTINTFOR, Option::InterruptFor, IDC_UPDOWN1},
    {IDC_TXTINTEVERY, Option::InterruptEvery, IDC_UPDOWN2},
    {IDC_CHKRESET, Option::IntelliReset},
    {IDC_CHKMONITOR0, Option::Monitor0},
    {IDC_CHKMONITOR1, Option::Monitor1},
    {IDC_CHKAUDIBLE, Option::Audible},
    {IDC_CHKAUDIBLEPRE, Option::AudiblePre},
    {IDC_CHKBLANK, Option::Blank},
    {IDC_TXTSKIPSPERDAY, Option::SkipsPerDay, IDC_UPDOWN9},
    {IDC_TXTWARNING, Option::Warning},
    {IDC_CHKDISABLEESC, Option::DisableEsc},
};

constexpr OptionControl kExerciseBreakControls[] = {
    {IDC_TXTEVERYM, Option::EveryM, IDC_UPDOWN5},
    {IDC_CHKAUDIBLEX, Option::AudibleX},
    {IDC_CHKBLANKX, Option::BlankX},
    {IDC_TXTLATERPERBREAK, Option::LaterPerBreak, IDC_UPDOWN10},
    {IDC_COMBOVIEW, Option::ViewAm},
    {IDC_TXTNUMATATIME, Option::NumAtaTime, IDC_UPDOWN3},
    {IDC_OPTXSTART1, Option::xStart, IDC_OPTXSTART0},
    {IDC_TXTAWAYM, Option::AwayM, IDC_UPDOWN7},
};

constexpr OptionControl kHoldControls[] = {
    {IDC_CHKFULLSCREEN, Option::FullScreen},       {IDC_TXTMAXM, Option::MaxM, IDC_UPDOWN6},
    {IDC_TXTPROGRAMS, Option::Programs},           {IDC_CHKCALLS, Option::Calls},
    {IDC_TXTIGNOREDEVICES, Option::IgnoreDevices},
};

constexpr OptionControl kScheduleControls[] = {
    {IDC_CHKSCHEDULE, Option::ScheduleOn}, {IDC_TXTHOURS0, Option::HoursMon},
    {IDC_TXTHOURS1, Option::HoursTue},     {IDC_TXTHOURS2, Option::HoursWed},
    {IDC_TXTHOURS3, Option::HoursThu},     {IDC_TXTHOURS4, Option::HoursFri},
    {IDC_TXTHOURS5, Option::HoursSat},     {IDC_TXTHOURS6, Option::HoursSun},
    {IDC_CHKLIMIT, Option::LimitOn},       {IDC_TXTLIMITM, Option::LimitM, IDC_UPDOWN8},
};

constexpr OptionControl kKeyControls[] = {
    {IDC_TXTHOTKEY0, Option::HotkeyMicropauseNow}, {IDC_TXTHOTKEY1, Option::HotkeyExerciseNow},
    {IDC_TXTHOTKEY2, Option::HotkeyPause},         {IDC_TXTHOTKEY3, Option::HotkeySkip},
    {IDC_TXTHOTKEY4, Option::HotkeyStatistics},
};
static_assert(std::size(kKeyControls) == kHotKeyCommands);

// The "..." buttons beside the warnings, and the warning each chooses a sound for.
struct WarningButton {
    int id;
    SoundTarget target;
};
constexpr WarningButton kWarningButtons[] = {{IDC_CMDWARNING0, SoundTarget::Start},
                                             {IDC_CMDWARNING1, SoundTarget::Exercise},
                                             {IDC_CMDWARNING2, SoundTarget::Early}};

// The themed tab page background behind a page's controls, where there is a theme.
void UseTabPageBackground(HWND page) {
    using EnableThemeDialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);
    static const UniqueLibrary uxtheme(LoadLibraryW(L"uxtheme.dll"));
    static const auto fn =
        FunctionFrom<EnableThemeDialogTextureFn>(uxtheme.get(), "EnableThemeDialogTexture");
    if (fn != nullptr) {
        fn(page, ETDT_ENABLETAB);
    }
}

}  // namespace

void FillSchemeBox(HWND combo, const SchemeBox& box) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : box.names) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(box.selected), 0);
}

std::optional<SchemePick> PickedScheme(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return std::nullopt;
    }
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring name(static_cast<std::size_t>(std::max<LRESULT>(0, length)) + 1, L'\0');
    const LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<std::size_t>(std::max<LRESULT>(0, copied)));
    return SchemePick{static_cast<int>(index), Narrow(name)};
}

// ---- SettingsPage

bool SettingsPage::Create(HWND host, int childId) {
    if (!CreatePage(host, childId)) {
        return false;
    }
    UseTabPageBackground(hwnd());
    return true;
}

void SettingsPage::MakeNumberBoxWithSpin(int box, int spin, NumberRange range) {
    MakeNumberBox(Item(box));
    SendMessageW(Item(spin), UDM_SETRANGE32, static_cast<WPARAM>(range.min),
                 static_cast<LPARAM>(range.max));
}

// ---- OptionPage

INT_PTR OptionPage::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        OnInitDialog();
        return FALSE;  // a page: the focus stays where it is
    }
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        for (const WarningButton& button : kWarningButtons) {
            if (LOWORD(wp) == button.id) {
                RaiseWarningSound(static_cast<int>(button.target));
                return TRUE;
            }
        }
    }
    return FALSE;
}

void OptionPage::OnInitDialog() {
    for (const OptionControl& shown : controls_) {
        if (RowOf(shown.option).box == OptionBox::Clamped ||
            RowOf(shown.option).box == OptionBox::Count) {
            MakeNumberBoxWithSpin(shown.id, shown.partner, RowOf(shown.option).spin);
        }
    }
}

void OptionPage::RaiseWarningSound(int target) const {
    Raise(events_.warningSound, target);
}

void OptionPage::Fill(const SettingsForm& form) {
    for (const OptionControl& shown : controls_) {
        const std::string& value = form[shown.option];
        switch (RowOf(shown.option).box) {
            case OptionBox::Check:
                Check(shown.id, form.On(shown.option));
                break;
            case OptionBox::List:
                SendMessageW(Item(shown.id), CB_SETCURSEL,
                             static_cast<WPARAM>(ParseDecimal(value).value_or(0)), 0);
                break;
            case OptionBox::StartPoint:
                Check(shown.partner, !form.On(shown.option));
                Check(shown.id, form.On(shown.option));
                break;
            default:
                SetWindowTextTo(Item(shown.id), value);
                break;
        }
    }
}

void OptionPage::Read(SettingsForm& form) const {
    for (const OptionControl& shown : controls_) {
        switch (RowOf(shown.option).box) {
            case OptionBox::Check:
            case OptionBox::StartPoint:
                form.SetOn(shown.option, Checked(shown.id));
                break;
            case OptionBox::List: {
                const LRESULT position = SendMessageW(Item(shown.id), CB_GETCURSEL, 0, 0);
                form[shown.option] = std::to_string(position == CB_ERR ? 0 : position);
                break;
            }
            default:
                form[shown.option] = WindowText(Item(shown.id));
                break;
        }
    }
}

// ---- MicropausesPage

MicropausesPage::MicropausesPage() : OptionPage(IDD_SETTINGS_MICROPAUSES, kMicropauseControls) {}

void MicropausesPage::Fill(const SettingsForm& form) {
    OptionPage::Fill(form);
    EnableWindow(Item(IDC_CHKDISABLEESC), !form.escapeLocked);
}

void MicropausesPage::Read(SettingsForm& form) const {
    OptionPage::Read(form);
    form.escapeLocked = IsWindowEnabled(Item(IDC_CHKDISABLEESC)) == FALSE;
}

// ---- ExerciseBreaksPage

ExerciseBreaksPage::ExerciseBreaksPage()
    : OptionPage(IDD_SETTINGS_EXERCISE_BREAKS, kExerciseBreakControls) {}

void ExerciseBreaksPage::OnInitDialog() {
    OptionPage::OnInitDialog();
    for (std::int32_t v = 0; v < kVideoSizes; ++v) {
        SendMessageW(Item(IDC_COMBOVIEW), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(VideoSizeText(v)).c_str()));
    }
}

INT_PTR ExerciseBreaksPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_CMBSCHEMES2) {
        if (HIWORD(wp) == CBN_SELCHANGE && events_.schemePicked) {
            if (const std::optional<SchemePick> pick = PickedScheme(Item(IDC_CMBSCHEMES2))) {
                events_.schemePicked(*pick);
            }
        }
        return TRUE;
    }
    return OptionPage::HandleMessage(msg, wp, lp);
}

void ExerciseBreaksPage::SetSchemeBox(const SchemeBox& box) {
    FillSchemeBox(Item(IDC_CMBSCHEMES2), box);
}

void ExerciseBreaksPage::SelectScheme(int index) {
    SendMessageW(Item(IDC_CMBSCHEMES2), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// ---- HoldsPage

HoldsPage::HoldsPage() : OptionPage(IDD_SETTINGS_HOLDS, kHoldControls) {}

// ---- SchedulePage

SchedulePage::SchedulePage() : OptionPage(IDD_SETTINGS_SCHEDULE, kScheduleControls) {}

void SchedulePage::OnInitDialog() {
    OptionPage::OnInitDialog();
    Describe();
}

void SchedulePage::Fill(const SettingsForm& form) {
    OptionPage::Fill(form);
    Describe();
}

INT_PTR SchedulePage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wp);
        const bool hoursTyped =
            HIWORD(wp) == EN_CHANGE && id >= IDC_TXTHOURS0 && id <= IDC_TXTHOURS6;
        const bool switched = HIWORD(wp) == BN_CLICKED && id == IDC_CHKSCHEDULE;
        if (hoursTyped || switched) {
            Describe();
            return TRUE;
        }
    }
    return OptionPage::HandleMessage(msg, wp, lp);
}

void SchedulePage::Describe() {
    SettingsForm form;
    Read(form);
    SetWindowTextTo(Item(IDC_LBLHOURS), DescribeScheduleBoxes(form));
}

// ---- KeysPage

KeysPage::KeysPage() : OptionPage(IDD_SETTINGS_KEYS, kKeyControls) {}

void KeysPage::OnInitDialog() {
    OptionPage::OnInitDialog();
    for (std::size_t command = 0; command < kHotKeyCommands; ++command) {
        Describe(command);
    }
}

void KeysPage::Fill(const SettingsForm& form) {
    OptionPage::Fill(form);
    for (std::size_t command = 0; command < kHotKeyCommands; ++command) {
        Describe(command);
    }
}

void KeysPage::ShowStates(const HotKeyStates& states) {
    states_ = states;
    if (hwnd() == nullptr) {
        return;
    }
    for (std::size_t command = 0; command < kHotKeyCommands; ++command) {
        Describe(command);
    }
}

INT_PTR KeysPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        const int id = LOWORD(wp);
        if (id >= IDC_TXTHOTKEY0 && id < IDC_TXTHOTKEY0 + static_cast<int>(kHotKeyCommands)) {
            Describe(static_cast<std::size_t>(id - IDC_TXTHOTKEY0));
            return TRUE;
        }
    }
    return OptionPage::HandleMessage(msg, wp, lp);
}

void KeysPage::Describe(std::size_t command) {
    const int offset = static_cast<int>(command);
    const std::string typed = WindowText(Item(IDC_TXTHOTKEY0 + offset));
    SetWindowTextTo(Item(IDC_LBLHOTKEY0 + offset),
                    HotKeyBoxReport(HotKeyStateAsTyped(typed, states_[command])));
}

}  // namespace rilto
