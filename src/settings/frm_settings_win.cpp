#include "settings/frm_settings_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "common/dpi_win.h"
#include "common/handles_win.h"
#include "common/product.h"
#include "common/resource_ids.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_prompt_win.h"
#include "settings/frm_settings_ids.h"
#include "settings/frm_sound_win.h"
#include "settings/open_file_dialog_win.h"
#include "settings/settings_texts.h"

namespace rilto {

namespace {

// How far the selected tab grows to either side, at 96 DPI: the tabs leave room for it
// so that the strip never needs its scroll arrows.
constexpr int kSelectedTabGrowth96 = 2;
// Padding beside a tab's title at the least, and above and below it, at 96 DPI.
constexpr int kMinTabPadding96 = 3;
constexpr int kTabTitlePaddingDown96 = 3;
static_assert(std::size(kSettingsTabs) == FrmSettings::kPages &&
              std::size(kSettingsTabTips) == FrmSettings::kPages);

RECT PlaceInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SetPlace(HWND hwnd, const RECT& r) {
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

FrmSettings::FrmSettings(FrmSettingsPorts ports) : Dialog(IDD_SETTINGS), ports_(std::move(ports)) {}

bool FrmSettings::Create() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateModeless(nullptr) || !made_) {
        return false;
    }
    // The dialog manager focused the first control, hidden as it is.
    LetGoOfFocus();
    return true;
}

HWND FrmSettings::Page(int index) const {
    switch (index) {
        case 0:
            return micropauses_.hwnd();
        case 1:
            return exerciseBreaks_.hwnd();
        case 2:
            return schemes_.hwnd();
        case 3:
            return holds_.hwnd();
        case 4:
            return schedule_.hwnd();
        case 5:
            return keys_.hwnd();
        default:
            return nullptr;
    }
}

HWND FrmSettings::Control(int id) const {
    for (const Dialog* dialog :
         {static_cast<const Dialog*>(this), static_cast<const Dialog*>(&micropauses_),
          static_cast<const Dialog*>(&exerciseBreaks_), static_cast<const Dialog*>(&schemes_),
          static_cast<const Dialog*>(&holds_), static_cast<const Dialog*>(&schedule_),
          static_cast<const Dialog*>(&keys_), static_cast<const Dialog*>(&preview_)}) {
        if (const HWND c = dialog->Item(id); c != nullptr) {
            return c;
        }
    }
    return nullptr;
}

INT_PTR FrmSettings::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            made_ = OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lp)) ? TRUE : FALSE;
        case WM_CLOSE:
            Tell([](SettingsDialog& c) { c.Cancel(); });
            return TRUE;
        default:
            return FALSE;
    }
}

bool FrmSettings::OnInitDialog() {
    const HICON icon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (!CreatePages()) {
        return false;
    }
    // In front of the tab strip, which comes last in the tab order.
    SetWindowPos(Item(IDC_TS), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = kPages - 1; i >= 0; --i) {
        SetWindowPos(Page(i), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    InitTabStrip();
    ShowPage(0);
    LayOut(DpiOfWindow(hwnd()), Sizing::Template);
    return true;
}

bool FrmSettings::CreatePages() {
    OptionPageEvents options;
    options.warningSound = [this](int target) { ChooseWarningSound(target); };
    options.schemePicked = [this](const SchemePick& pick) { SchemePicked(pick); };
    micropauses_.SetEvents(options);
    exerciseBreaks_.SetEvents(options);

    SchemesPageEvents scheme;
    scheme.schemePicked = options.schemePicked;
    scheme.addExercise = [this] { Tell([](SettingsDialog& c) { c.AddExercise(); }); };
    scheme.removeExercise = [this] { Tell([](SettingsDialog& c) { c.RemoveExercise(); }); };
    scheme.moveExercise = [this](bool up) {
        Tell([up](SettingsDialog& c) { c.MoveExercise(up); });
    };
    scheme.preview = [this] { Tell([](SettingsDialog& c) { c.Preview(); }); };
    scheme.saveSchemeAs = [this] { Tell([](SettingsDialog& c) { c.SaveSchemeAs(); }); };
    scheme.deleteScheme = [this] { Tell([](SettingsDialog& c) { c.DeleteScheme(); }); };
    // Enter ends an edit of a title in place, not the dialog.
    scheme.editingTitle = [this](bool editing) { SetDefaultButton(!editing); };
    schemes_.SetEvents(std::move(scheme));

    return micropauses_.Create(hwnd(), IDC_PICTS0) && exerciseBreaks_.Create(hwnd(), IDC_PICTS1) &&
           schemes_.Create(hwnd(), IDC_PICTS2) && holds_.Create(hwnd(), IDC_PICTS3) &&
           schedule_.Create(hwnd(), IDC_PICTS4) && keys_.Create(hwnd(), IDC_PICTS5) &&
           preview_.Create(hwnd(), [this] { Tell([](SettingsDialog& c) { c.PreviewDone(); }); });
}

void FrmSettings::InitTabStrip() {
    const HWND strip = Item(IDC_TS);
    for (int i = 0; i < kPages; ++i) {
        std::wstring title = Widen(kSettingsTabs[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageW(strip, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        tipTexts_[static_cast<std::size_t>(i)] = Widen(kSettingsTabTips[i]);
    }
    // Where the tab strip keeps no tools of its own for its tips, it gets one per tab.
    if (const auto tips = reinterpret_cast<HWND>(SendMessageW(strip, TCM_GETTOOLTIPS, 0, 0));
        tips != nullptr && SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        for (int i = 0; i < kPages; ++i) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = strip;
            tool.uId = static_cast<UINT_PTR>(i);
            tool.lpszText = LPSTR_TEXTCALLBACKW;
            SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        ownTabTools_ = true;
    }
}

bool FrmSettings::TranslateDialogMessage(MSG* msg) {
    const HWND dialog = hwnd();
    if (dialog == nullptr || !IsWindowVisible(dialog) ||
        (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) {
        return false;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
        !preview_.Showing()) {
        StepPage(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return true;
    }
    return IsDialogMessageW(dialog, msg) != FALSE;
}

// ---- What the controller shows

void FrmSettings::Fill(const SettingsForm& form) {
    micropauses_.Fill(form);
    exerciseBreaks_.Fill(form);
    holds_.Fill(form);
    schedule_.Fill(form);
    keys_.Fill(form);
}

SettingsForm FrmSettings::Read() const {
    SettingsForm form;
    micropauses_.Read(form);
    exerciseBreaks_.Read(form);
    holds_.Read(form);
    schedule_.Read(form);
    keys_.Read(form);
    return form;
}

void FrmSettings::SetSchemeBoxes(const SchemeBox& box) {
    exerciseBreaks_.SetSchemeBox(box);
    schemes_.SetSchemeBox(box);
}

void FrmSettings::SchemePicked(const SchemePick& pick) {
    exerciseBreaks_.SelectScheme(pick.index);
    schemes_.SelectScheme(pick.index);
    Tell([&pick](SettingsDialog& c) { c.SchemeChosen(pick.name); });
}

void FrmSettings::ChooseWarningSound(int target) {
    // The sound chosen is in use at once; Apply stores it.
    FrmSound::Choose(hwnd(), ports_.settings, target, ports_.sounds);
}

HWND FrmSettings::MessageOwner() const {
    // frmSaveAs asks whether to replace a scheme over itself.
    const HWND active = GetActiveWindow();
    return active != nullptr && IsWindowVisible(active) ? active : hwnd();
}

void FrmSettings::ShowMessage(const std::string& text) {
    MessageBoxW(MessageOwner(), Widen(text).c_str(), Widen(kProductTitle).c_str(), MB_OK);
}

bool FrmSettings::AskYesNo(const std::string& text) {
    return MessageBoxW(MessageOwner(), Widen(text).c_str(), Widen(kProductTitle).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> FrmSettings::PickExerciseFile() {
    return AskForFile(
        hwnd(), OpenFileRequest{kAddExerciseTitle, kAddExerciseFilter, kAddExerciseExtension});
}

std::optional<std::string> FrmSettings::AskExerciseTitle() {
    return FrmPrompt::AskExerciseTitle(hwnd());
}

void FrmSettings::AskSchemeName(const std::function<bool(const std::string&)>& accept) {
    FrmPrompt::AskSchemeName(hwnd(), accept);
}

void FrmSettings::ShowPreview(const std::string& file) {
    preview_.Show(file, ports_.settings.Current().ViewAm, ports_.programFolder);
}

void FrmSettings::ClosePreview() {
    if (preview_.Close() && IsWindowVisible(hwnd())) {
        Focus(Control(IDC_CMDPREVIEW));
    }
}

// ---- Commands and notifications

bool FrmSettings::OnCommand(int id) {
    switch (id) {
        case IDOK:
            // While a title is edited in place, Enter belongs to the edit.
            if (!schemes_.EditingTitle()) {
                Tell([](SettingsDialog& c) { c.Ok(); });
            }
            return true;
        case IDCANCEL:
            if (preview_.Showing()) {
                Tell([](SettingsDialog& c) { c.PreviewDone(); });  // ESC ends the preview first
            } else if (!schemes_.EditingTitle()) {
                Tell([](SettingsDialog& c) { c.Cancel(); });
            }
            return true;
        case IDC_APPLY:
            Tell([](SettingsDialog& c) { c.Apply(); });
            return true;
        default:
            return false;
    }
}

bool FrmSettings::OnNotify(NMHDR* header) {
    const HWND strip = Item(IDC_TS);
    if (header->code == TTN_GETDISPINFOW &&
        header->hwndFrom == reinterpret_cast<HWND>(SendMessageW(strip, TCM_GETTOOLTIPS, 0, 0))) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->hinst = nullptr;
        info->szText[0] = L'\0';
        info->lpszText =
            header->idFrom < tipTexts_.size() ? tipTexts_[header->idFrom].data() : info->szText;
        return true;
    }
    if (header->hwndFrom == strip && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(strip, TCM_GETCURSEL, 0, 0)));
        return true;
    }
    return false;
}

void FrmSettings::SetDefaultButton(bool okIsDefault) {
    SendMessageW(hwnd(), DM_SETDEFID, okIsDefault ? IDOK : 0, 0);
    SendMessageW(Item(IDOK), BM_SETSTYLE, okIsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// ---- Pages

void FrmSettings::ShowPage(int index) {
    const HWND focus = GetFocus();
    bool focusHidden = false;
    for (int i = 0; i < kPages; ++i) {
        const HWND page = Page(i);
        if (i != index) {
            focusHidden = focusHidden || (focus != nullptr && IsChild(page, focus));
            ShowWindow(page, SW_HIDE);
        }
    }
    const HWND shown = Page(index);
    SetWindowPos(shown, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (focusHidden) {
        const HWND first = GetNextDlgTabItem(shown, nullptr, FALSE);
        Focus(first != nullptr ? first : Item(IDC_TS));
    }
}

void FrmSettings::StepPage(int delta) {
    const HWND strip = Item(IDC_TS);
    const auto current = static_cast<int>(SendMessageW(strip, TCM_GETCURSEL, 0, 0));
    const int next = ((std::max(0, current) + delta) % kPages + kPages) % kPages;
    SendMessageW(strip, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    ShowPage(next);
}

// ---- Showing and layout

void FrmSettings::ShowDialog() {
    const HWND dialog = hwnd();
    if (IsWindowVisible(dialog)) {
        SetForegroundWindow(dialog);
        return;
    }
    ShowCurtain(true);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // On the primary monitor first, so that the layout is for its DPI.
    SetWindowPos(dialog, nullptr, work.left, work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(DpiOfWindow(dialog), Sizing::Template);
    PlaceOnWorkArea(dialog, 2);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    ShowPage(static_cast<int>(SendMessageW(Item(IDC_TS), TCM_GETCURSEL, 0, 0)));
    // Where the focus was when it hid, whatever the activation chose meanwhile.
    if (focusOnShow_ != nullptr && IsChild(dialog, focusOnShow_) && IsWindowVisible(focusOnShow_) &&
        IsWindowEnabled(focusOnShow_)) {
        Focus(focusOnShow_);
    } else if (const HWND focus = GetFocus(); focus == nullptr || !IsChild(dialog, focus)) {
        Focus(Item(IDC_TS));
    }
    focusOnShow_ = nullptr;
    ShowCurtain(false);
}

void FrmSettings::Hide() {
    ClosePreview();
    // Before it goes: hidden, it would lose the focus without telling where it was.
    LetGoOfFocus();
    ShowWindow(hwnd(), SW_HIDE);
}

void FrmSettings::LetGoOfFocus() {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd(), focus)) {
        focusOnShow_ = focus;
        SetFocus(nullptr);
    }
}

void FrmSettings::ShowCurtain(bool shown) {
    const HWND curtain = Item(IDC_PICHIDE);
    if (shown) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        SetWindowPos(curtain, HWND_TOP, 0, 0, client.right, client.bottom,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(curtain, SW_HIDE);
    }
}

void FrmSettings::DpiChanged(UINT dpi, const RECT& suggested) {
    ShowCurtain(true);
    Dialog::DpiChanged(dpi, suggested);
    ShowCurtain(false);
}

void FrmSettings::LaidOut(UINT dpi) {
    // The tabs fill the strip, and the pages, each laid out for the DPI, lie in its
    // display area.
    const HWND strip = Item(IDC_TS);
    SizeTabs(dpi);
    RECT display = PlaceInParent(strip);
    SendMessageW(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (SettingsPage* page :
         {static_cast<SettingsPage*>(&micropauses_), static_cast<SettingsPage*>(&exerciseBreaks_),
          static_cast<SettingsPage*>(&schemes_), static_cast<SettingsPage*>(&holds_),
          static_cast<SettingsPage*>(&schedule_), static_cast<SettingsPage*>(&keys_)}) {
        page->LayOut(dpi, Sizing::Keep);
        SetPlace(page->hwnd(), display);
    }
    UpdateTabTips();

    // The preview panel over the whole client area.
    RECT client{};
    GetClientRect(hwnd(), &client);
    SetPlace(preview_.hwnd(), client);
    preview_.LayOut(dpi, Sizing::Keep);
}

void FrmSettings::SizeTabs(UINT dpi) {
    // Six titles of unequal length do not fit tabs of equal width: each tab takes its
    // title's width, and what the strip has left is shared out as padding either side of
    // the titles. A pixel a tab is kept back for a tab control that rounds up.
    const HWND strip = Item(IDC_TS);
    RECT stripClient{};
    GetClientRect(strip, &stripClient);
    const int tabGrowth = ScaledToDpi(kSelectedTabGrowth96, dpi);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(strip, WM_GETFONT, 0, 0));
    int titles = 0;
    {
        const WindowDc dc(strip);
        const SelectedObject selected(dc.get(), font);
        for (const char* title : kSettingsTabs) {
            const std::wstring text = Widen(title);
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            titles += size.cx;
        }
    }
    const int left = stripClient.right - 2 * tabGrowth - titles - kPages;
    const int padding = std::max(ScaledToDpi(kMinTabPadding96, dpi), left / (2 * kPages));
    SendMessageW(strip, TCM_SETPADDING, 0,
                 MAKELPARAM(padding, ScaledToDpi(kTabTitlePaddingDown96, dpi)));
    // No tab wider than its share: a short title's would otherwise grow to the strip's
    // least width of a tab, and push the last tab out of sight.
    SendMessageW(strip, TCM_SETMINTABWIDTH, 0, 0);
    // The strip works out its tabs again when its font is set.
    SendMessageW(strip, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void FrmSettings::UpdateTabTips() {
    if (!ownTabTools_) {
        return;
    }
    const HWND strip = Item(IDC_TS);
    const auto tips = reinterpret_cast<HWND>(SendMessageW(strip, TCM_GETTOOLTIPS, 0, 0));
    for (int i = 0; i < kPages; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = strip;
        tool.uId = static_cast<UINT_PTR>(i);
        SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace rilto
