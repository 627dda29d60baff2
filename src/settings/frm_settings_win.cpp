#include "settings/frm_settings_win.h"

#include <uxtheme.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/dialog_win.h"
#include "common/dpi_win.h"
#include "common/system_function_win.h"
#include "common/resource_ids.h"
#include "common/options.h"
#include "common/scoped_flag.h"
#include "common/text.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_settings_ids.h"
#include "settings/number_box_win.h"
#include "settings/settings_texts.h"

namespace rilto {

namespace {

// The layout, in twips as the dialog was designed: its client area, the margin around
// the tab strip, the bottom row's buttons.
constexpr int kClientWidthTwips = 6150;
constexpr int kClientHeightTwips = 5370;
constexpr int kMarginTwips = 90;
constexpr int kButtonHeightTwips = 315;
constexpr int kButtonWidthTwips = 1125;
// Below the bottom row: 0.67 of the margin, in hundredths of a twip.
constexpr int kBottomGapCentiTwips = 67 * kMarginTwips;
// The check box pictures of the exercise list, at 96 DPI.
constexpr int kImageSize96 = 16;
// How far the selected tab grows to either side, at 96 DPI: the tabs leave room for it
// so that the strip never needs its scroll arrows.
constexpr int kSelectedTabGrowth96 = 2;
// The "Length" column, at 96 DPI.
constexpr int kLengthColumn96 = 80;

// What the tab strip shows: which page it switches to.
constexpr int kPageTemplates[FrmSettings::kPages] = {
    IDD_SETTINGS_MICROPAUSES, IDD_SETTINGS_EXERCISE_BREAKS, IDD_SETTINGS_SCHEMES};

// The control that shows each option of the first two pages; a number box's spin
// buttons, and the exercise length's.
struct OptionControl {
    int id;
    Option option;
    int spin = 0;
};
constexpr OptionControl kOptionControls[] = {
    {IDC_TXTINTFOR, Option::InterruptFor, IDC_UPDOWN1},
    {IDC_TXTINTEVERY, Option::InterruptEvery, IDC_UPDOWN2},
    {IDC_CHKRESET, Option::IntelliReset},
    {IDC_CHKMONITOR0, Option::Monitor0},
    {IDC_CHKMONITOR1, Option::Monitor1},
    {IDC_CHKAUDIBLE, Option::Audible},
    {IDC_CHKAUDIBLEPRE, Option::AudiblePre},
    {IDC_CHKBLANK, Option::Blank},
    {IDC_TXTWARNING, Option::Warning},
    {IDC_CHKDISABLEESC, Option::DisableEsc},
    {IDC_TXTEVERYM, Option::EveryM, IDC_UPDOWN5},
    {IDC_CHKAUDIBLEX, Option::AudibleX},
    {IDC_CHKBLANKX, Option::BlankX},
    {IDC_COMBOVIEW, Option::ViewAm},
    {IDC_TXTNUMATATIME, Option::NumAtaTime, IDC_UPDOWN3},
    {IDC_OPTXSTART1, Option::xStart},
};
constexpr NumberRange kExerciseSecondsSpin{1, 999};

// The detail frame of the scheme page, enabled only while a row is selected.
constexpr int kDetailControls[] = {IDC_FRAMEX,   IDC_CHKDOIT, IDC_LBLFOR,
                                   IDC_TXTXSECS, IDC_UPDOWN4, IDC_LBLSECONDS};

int FromTwips(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND button, bool on) {
    SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Selects a row of the list and gives it the focus rectangle, scrolled into view.
void SelectListRow(HWND list, int index) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// The text of one column of a row of the list.
void SetListText(HWND list, int index, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

// A window's place in its parent's client coordinates.
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

UniqueGdi<HFONT> FontAt(const wchar_t* face, BYTE charset, int points, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = FontHeightAt(points, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueGdi<HFONT>(CreateFontIndirectW(&font));
}

// The dialog base units of a font, measured as the dialog manager measures them.
SIZE BaseUnitsOf(HWND hwnd, HFONT font) {
    const WindowDc dc(hwnd);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &extent);
    return SIZE{std::max<LONG>(1, (extent.cx / 26 + 1) / 2), std::max<LONG>(1, tm.tmHeight)};
}

// Functions of newer Windows, looked up once.
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using EnableThemeDialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);

// The themed tab page background behind a page's controls, where there is a theme.
void UseTabPageBackground(HWND page) {
    static const UniqueLibrary uxtheme(LoadLibraryW(L"uxtheme.dll"));
    static const auto fn =
        FunctionFrom<EnableThemeDialogTextureFn>(uxtheme.get(), "EnableThemeDialogTexture");
    if (fn != nullptr) {
        fn(page, ETDT_ENABLETAB);
    }
}

RECT WindowRectForClient(HWND hwnd, int width, int height, UINT dpi) {
    RECT r{0, 0, width, height};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    static const auto fn = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (fn == nullptr || !fn(&r, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
    return r;
}

// A picture of the exercise list, drawn into `dc` at `left`: a box, ticked or not.
void DrawCheckBox(HDC dc, int left, int size, bool ticked) {
    const int inset = std::max(1, size / 8);
    const int pen = std::max(1, size / 16);
    const RECT box{left + inset, inset, left + size - inset, size - inset};
    const UniqueGdi<HBRUSH> border(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
    FillRect(dc, &box, border.get());
    const RECT inside{box.left + pen, box.top + pen, box.right - pen, box.bottom - pen};
    FillRect(dc, &inside, GetSysColorBrush(COLOR_WINDOW));
    if (!ticked) {
        return;
    }
    const UniqueGdi<HPEN> tick(
        CreatePen(PS_SOLID, std::max(2, size / 8), GetSysColor(COLOR_WINDOWTEXT)));
    const SelectedObject selected(dc, tick.get());
    const int w = inside.right - inside.left;
    const int h = inside.bottom - inside.top;
    const POINT points[] = {{inside.left + w / 5, inside.top + h / 2},
                            {inside.left + w * 2 / 5, inside.top + h * 3 / 4},
                            {inside.left + w * 4 / 5, inside.top + h / 4}};
    Polyline(dc, points, 3);
}

}  // namespace

FrmSettings::~FrmSettings() {
    preview_.Close();
    if (dialog_ != nullptr) {
        for (const HWND page : pages_) {
            if (page != nullptr) {
                SetWindowLongPtrW(page, DWLP_USER, 0);
            }
        }
        if (movie_ != nullptr) {
            SetWindowLongPtrW(movie_, DWLP_USER, 0);
        }
        SetWindowLongPtrW(dialog_.get(), DWLP_USER, 0);
        dialog_.reset();
    }
}

bool FrmSettings::Create(FrmSettingsEvents events) {
    events_ = std::move(events);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND created = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(IDD_SETTINGS), nullptr,
                                            &DialogProc, reinterpret_cast<LPARAM>(this));
    if (created == nullptr) {
        TraceLastError("cannot create the settings dialog");
        static_cast<void>(dialog_.release());  // gone with the failed creation
        return false;
    }
    return pages_[0] != nullptr && pages_[1] != nullptr && pages_[2] != nullptr &&
           movie_ != nullptr;
}

INT_PTR CALLBACK FrmSettings::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    FrmSettings* self = DialogObject<FrmSettings>(hwnd, msg, lp);
    if (self == nullptr) {
        return FALSE;
    }
    return GuardedDialogMessage("a settings dialog message",
                                [&] { return self->HandleMessage(hwnd, msg, wp, lp); });
}

INT_PTR FrmSettings::HandleMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        if (dialog_ == nullptr) {
            dialog_.reset(window);
            return OnInitDialog() ? TRUE : FALSE;
        }
        return FALSE;  // a page: the focus stays where it is
    }
    switch (msg) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return OnNotify(window, reinterpret_cast<NMHDR*>(lp)) ? TRUE : FALSE;
        case WM_CLOSE:
            if (window == hwnd()) {
                Raise(events_.cancel);
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC:
            // Black behind the preview, in any colour scheme.
            if (reinterpret_cast<HWND>(lp) == Control(IDC_AMBACK)) {
                return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
            }
            return FALSE;
        case WM_DPICHANGED:
            if (window == hwnd()) {
                OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

bool FrmSettings::OnInitDialog() {
    const HWND dialog = hwnd();
    KeepDialogScalingOff(dialog);
    const HICON icon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(IDI_RILTO));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    for (int i = 0; i < kPages; ++i) {
        const HWND page = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(kPageTemplates[i]),
                                             dialog, &DialogProc, reinterpret_cast<LPARAM>(this));
        if (page == nullptr) {
            TraceLastError("cannot create a settings page");
            return false;
        }
        SetWindowLongPtrW(page, GWLP_ID, IDC_PICTS0 + i);
        KeepDialogScalingOff(page);
        UseTabPageBackground(page);
        pages_[static_cast<std::size_t>(i)] = page;
    }
    movie_ = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(IDD_SETTINGS_MOVIE), dialog,
                                &DialogProc, reinterpret_cast<LPARAM>(this));
    if (movie_ == nullptr) {
        TraceLastError("cannot create the preview panel");
        return false;
    }
    SetWindowLongPtrW(movie_, GWLP_ID, IDC_PICMOVIE);
    KeepDialogScalingOff(movie_);
    if (!am_.Create(movie_, IDC_AM)) {
        return false;
    }
    SetWindowPos(am_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // In front of the tab strip, which comes last in the tab order.
    const HWND strip = Control(IDC_TS);
    SetWindowPos(strip, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = kPages - 1; i >= 0; --i) {
        SetWindowPos(Page(i), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    InitControls();
    RecordTemplatePlaces();
    ShowPage(0);
    return true;
}

void FrmSettings::InitControls() {
    const HWND strip = Control(IDC_TS);
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

    const auto makeNumberBox = [this](int box, int spin, NumberRange range) {
        MakeNumberBox(Control(box));
        SendMessageW(Control(spin), UDM_SETRANGE32, static_cast<WPARAM>(range.min),
                     static_cast<LPARAM>(range.max));
    };
    for (const OptionControl& shown : kOptionControls) {
        if (shown.spin != 0) {
            makeNumberBox(shown.id, shown.spin, SpecOf(shown.option).spin);
        }
    }
    makeNumberBox(IDC_TXTXSECS, IDC_UPDOWN4, kExerciseSecondsSpin);
    for (std::int32_t v = 0; v < kVideoSizes; ++v) {
        SendMessageW(Control(IDC_COMBOVIEW), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Widen(VideoSizeText(v)).c_str()));
    }

    const HWND list = Control(IDC_L);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const char* columns[] = {kExerciseColumn, kLengthColumn};
    for (int i = 0; i < 2; ++i) {
        std::wstring title = Widen(columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = i == 0 ? 200 : kLengthColumn96;
        column.pszText = title.data();
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    SetWindowTextTo(Control(IDC_CMDUP), kArrowUp);
    SetWindowTextTo(Control(IDC_CMDDOWN), kArrowDown);
    ShowDetail();
}

void FrmSettings::RecordTemplatePlaces() {
    // The pages share one font, so one set of base units.
    RECT units{0, 0, 4, 8};
    MapDialogRect(Page(0), &units);
    templateUnits_ = SIZE{std::max<LONG>(1, units.right), std::max<LONG>(1, units.bottom)};
    for (const HWND page : pages_) {
        for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r = PlaceInParent(c);
            // A drop-down list is placed with the height of its open list.
            RECT dropped{};
            if (SendMessageW(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
                r.bottom = r.top + std::max(r.bottom - r.top, dropped.bottom - dropped.top);
            }
            templatePlaces_.push_back(TemplatePlace{c, r});
        }
    }
}

HWND FrmSettings::Control(int id) const {
    if (hwnd() == nullptr) {
        return nullptr;
    }
    if (const HWND own = GetDlgItem(hwnd(), id); own != nullptr) {
        return own;
    }
    for (const HWND page : pages_) {
        if (const HWND c = page != nullptr ? GetDlgItem(page, id) : nullptr; c != nullptr) {
            return c;
        }
    }
    return movie_ != nullptr ? GetDlgItem(movie_, id) : nullptr;
}

bool FrmSettings::TranslateDialogMessage(MSG* msg) {
    const HWND dialog = hwnd();
    if (dialog == nullptr || !IsWindowVisible(dialog) ||
        (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) {
        return false;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
        !IsWindowVisible(movie_)) {
        StepPage(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return true;
    }
    return IsDialogMessageW(dialog, msg) != FALSE;
}

// ---- The first two pages

void FrmSettings::Fill(const SettingsForm& form) {
    for (const OptionControl& shown : kOptionControls) {
        const HWND control = Control(shown.id);
        const std::string& value = form[shown.option];
        switch (SpecOf(shown.option).box) {
            case OptionBox::Check:
                Check(control, form.On(shown.option));
                break;
            case OptionBox::List:
                SendMessageW(control, CB_SETCURSEL,
                             static_cast<WPARAM>(ParseDecimal(value).value_or(0)), 0);
                break;
            case OptionBox::StartPoint:
                Check(Control(IDC_OPTXSTART0), !form.On(shown.option));
                Check(control, form.On(shown.option));
                break;
            default:
                SetWindowTextTo(control, value);
                break;
        }
    }
    EnableWindow(Control(IDC_CHKDISABLEESC), !form.escapeLocked);
}

SettingsForm FrmSettings::Read() const {
    SettingsForm form;
    for (const OptionControl& shown : kOptionControls) {
        const HWND control = Control(shown.id);
        switch (SpecOf(shown.option).box) {
            case OptionBox::Check:
            case OptionBox::StartPoint:
                form.SetOn(shown.option, Checked(control));
                break;
            case OptionBox::List: {
                const LRESULT position = SendMessageW(control, CB_GETCURSEL, 0, 0);
                form[shown.option] = std::to_string(position == CB_ERR ? 0 : position);
                break;
            }
            default:
                form[shown.option] = WindowText(control);
                break;
        }
    }
    form.escapeLocked = IsWindowEnabled(Control(IDC_CHKDISABLEESC)) == FALSE;
    return form;
}

void FrmSettings::SetSchemeBoxes(const SchemeBox& box) {
    for (const int id : {IDC_CMBSCHEMES, IDC_CMBSCHEMES2}) {
        const HWND combo = Control(id);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : box.names) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        }
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(box.selected), 0);
    }
}

void FrmSettings::SchemePicked(int boxId) {
    const HWND picked = Control(boxId);
    const LRESULT index = SendMessageW(picked, CB_GETCURSEL, 0, 0);
    const int other = boxId == IDC_CMBSCHEMES ? IDC_CMBSCHEMES2 : IDC_CMBSCHEMES;
    SendMessageW(Control(other), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR) {
        return;
    }
    const LRESULT length = SendMessageW(picked, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring name(static_cast<std::size_t>(std::max<LRESULT>(0, length)) + 1, L'\0');
    const LRESULT copied = SendMessageW(picked, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(name.data()));
    name.resize(static_cast<std::size_t>(std::max<LRESULT>(0, copied)));
    if (events_.schemeChosen) {
        events_.schemeChosen(Narrow(name));
    }
}

// ---- The exercise list and its detail frame

void FrmSettings::SetRows(const std::vector<ExerciseRow>& rows) {
    const HWND list = Control(IDC_L);
    {
        const ScopedFlag filling(filling_);
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::wstring text = Widen(rows[i].text);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = static_cast<int>(i);
            item.pszText = text.data();
            item.iImage = rows[i].icon;
            const auto at = static_cast<int>(
                SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            SetListText(list, at, 1, rows[i].length);
        }
        if (!rows.empty()) {
            SelectListRow(list, 0);
        }
    }
    ShowDetail();
}

std::vector<ExerciseRow> FrmSettings::Rows() const {
    const auto count = static_cast<int>(SendMessageW(Control(IDC_L), LVM_GETITEMCOUNT, 0, 0));
    std::vector<ExerciseRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        rows.push_back(RowAt(i));
    }
    return rows;
}

bool FrmSettings::HasRows() const {
    return SendMessageW(Control(IDC_L), LVM_GETITEMCOUNT, 0, 0) > 0;
}

void FrmSettings::SelectRow(int k, bool focus) {
    const HWND list = Control(IDC_L);
    const int index = k - 1;
    if (index < 0 || index >= static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0))) {
        return;
    }
    SelectListRow(list, index);
    ShowDetail();
    if (focus) {
        FocusList();
    }
}

void FrmSettings::FocusList() {
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_L)), TRUE);
}

std::string FrmSettings::SchemeShown() const {
    return WindowText(Control(IDC_CMBSCHEMES));
}

int FrmSettings::SelectedRow() const {
    return static_cast<int>(
        SendMessageW(Control(IDC_L), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

ExerciseRow FrmSettings::RowAt(int index) const {
    const HWND list = Control(IDC_L);
    const auto textOf = [&](int subItem) {
        // The list copies at most the buffer's size; grow it until the text fits.
        std::wstring buffer(64, L'\0');
        for (;;) {
            LVITEMW item{};
            item.iSubItem = subItem;
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(buffer.size());
            const auto copied = static_cast<std::size_t>(
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&item)));
            if (copied + 1 < buffer.size()) {
                buffer.resize(copied);
                return Narrow(buffer);
            }
            buffer.resize(buffer.size() * 2);
        }
    };
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ExerciseRow row;
    row.text = textOf(0);
    row.icon = item.iImage;
    row.length = textOf(1);
    return row;
}

void FrmSettings::SetRowIcon(int index, int icon) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iImage = icon;
    SendMessageW(Control(IDC_L), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void FrmSettings::ShowDetail() {
    const int row = SelectedRow();
    ExerciseDetail detail;
    if (row >= 0) {
        detail = DetailIt(RowAt(row));
    }
    {
        const ScopedFlag filling(filling_);
        SetWindowTextTo(Control(IDC_FRAMEX), detail.caption);
        Check(Control(IDC_CHKDOIT), detail.chkDoit);
        SetWindowTextTo(Control(IDC_TXTXSECS), detail.txtXsecs);
    }
    for (const int id : kDetailControls) {
        EnableWindow(Control(id), row >= 0);
    }
}

// ---- Commands and notifications

bool FrmSettings::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
            // While a title is edited in place, Enter belongs to the edit.
            if (!EditingTitle()) {
                Raise(events_.ok);
            }
            return true;
        case IDCANCEL:
            if (IsWindowVisible(movie_)) {
                Raise(events_.previewDone);  // ESC ends the preview first
            } else if (!EditingTitle()) {
                Raise(events_.cancel);
            }
            return true;
        case IDC_APPLY:
            Raise(events_.apply);
            return true;
        case IDC_CMDWARNING0:
        case IDC_CMDWARNING1:
        case IDC_CMDWARNING2:
            if (code == BN_CLICKED && events_.warningSound) {
                events_.warningSound(id == IDC_CMDWARNING0 ? 0 : id == IDC_CMDWARNING1 ? 1 : 2);
            }
            return true;
        case IDC_CMBSCHEMES:
        case IDC_CMBSCHEMES2:
            if (code == CBN_SELCHANGE) {
                SchemePicked(id);
            }
            return true;
        case IDC_CHKDOIT:
            if (code == BN_CLICKED) {
                if (const int row = SelectedRow(); row >= 0) {
                    SetRowIcon(row, (Checked(Control(IDC_CHKDOIT)) ? 1 : 0) + 1);
                }
            }
            return true;
        case IDC_TXTXSECS:
            if (code == EN_CHANGE && !filling_) {
                if (const int row = SelectedRow(); row >= 0) {
                    SetListText(Control(IDC_L), row, 1,
                                WindowText(Control(IDC_TXTXSECS)) + kSecondsSuffix);
                }
            }
            return true;
        default:
            return OnButton(id, code);
    }
}

bool FrmSettings::OnButton(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_CMDADD:
            Raise(events_.addExercise);
            return true;
        case IDC_CMDREMOVE:
            Raise(events_.removeExercise);
            return true;
        case IDC_CMDUP:
        case IDC_CMDDOWN:
            if (events_.moveExercise) {
                events_.moveExercise(id == IDC_CMDUP);
            }
            return true;
        case IDC_CMDPREVIEW:
            Raise(events_.preview);
            return true;
        case IDC_CMDDONE:
            Raise(events_.previewDone);
            return true;
        case IDC_CMDSAVEAS:
            Raise(events_.saveSchemeAs);
            return true;
        case IDC_CMDDELETE:
            Raise(events_.deleteScheme);
            return true;
        default:
            return false;
    }
}

bool FrmSettings::OnNotify(HWND window, NMHDR* header) {
    const HWND strip = Control(IDC_TS);
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
    if (header->idFrom != IDC_L) {
        return false;
    }
    switch (header->code) {
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            if ((change->uChanged & LVIF_STATE) != 0 &&
                ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0 && !filling_) {
                ShowDetail();
            }
            return true;
        }
        case NM_DBLCLK: {
            const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
            const int row = activate->iItem >= 0 ? activate->iItem : SelectedRow();
            if (row >= 0) {
                SetRowIcon(row, RowAt(row).icon == kIconOn ? kIconOff : kIconOn);
                ShowDetail();
            }
            return true;
        }
        case LVN_BEGINLABELEDITW:
            // Enter ends the edit, not the dialog.
            SetDefaultButton(false);
            SetWindowLongPtrW(window, DWLP_MSGRESULT, FALSE);  // the edit may begin
            return true;
        case LVN_ENDLABELEDITW: {
            const auto* edit = reinterpret_cast<const NMLVDISPINFOW*>(header);
            SetDefaultButton(true);
            const bool accepted = edit->item.pszText != nullptr;
            if (accepted && edit->item.iItem == SelectedRow()) {
                ExerciseRow row = RowAt(edit->item.iItem);
                row.text = Narrow(edit->item.pszText);
                SetWindowTextTo(Control(IDC_FRAMEX), DetailIt(row).caption);
            }
            SetWindowLongPtrW(window, DWLP_MSGRESULT, accepted ? TRUE : FALSE);
            return true;
        }
        default:
            return false;
    }
}

bool FrmSettings::EditingTitle() const {
    return SendMessageW(Control(IDC_L), LVM_GETEDITCONTROL, 0, 0) != 0;
}

void FrmSettings::SetDefaultButton(bool okIsDefault) {
    SendMessageW(hwnd(), DM_SETDEFID, okIsDefault ? IDOK : 0, 0);
    SendMessageW(Control(IDOK), BM_SETSTYLE, okIsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
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
        if (const HWND first = GetNextDlgTabItem(shown, nullptr, FALSE); first != nullptr) {
            SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
        } else {
            SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_TS)), TRUE);
        }
    }
}

void FrmSettings::StepPage(int delta) {
    const HWND strip = Control(IDC_TS);
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
    const UINT dpi = DpiOfWindow(dialog);
    SizeClientForDesign(dpi);
    LayOut(dpi);
    PlaceOnWorkArea(dialog, 2);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    ShowPage(static_cast<int>(SendMessageW(Control(IDC_TS), TCM_GETCURSEL, 0, 0)));
    if (const HWND focus = GetFocus(); focus == nullptr || !IsChild(dialog, focus)) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_TS)), TRUE);
    }
    ShowCurtain(false);
}

void FrmSettings::Hide() {
    ClosePreview();
    ShowWindow(hwnd(), SW_HIDE);
}

void FrmSettings::ShowPreview(const std::string& file, std::int32_t viewAm,
                              const std::string& programFolder) {
    const BusyCursor busy;
    const RECT room = PlaceInParent(Control(IDC_AMBACK));
    am_.SetBackground(RGB(0, 0, 0));
    const std::int32_t fitting =
        FittingViewAm(viewAm, SurfaceSize{room.right - room.left, room.bottom - room.top});
    const std::string ending = ShowExercise(preview_, am_, file, fitting, programFolder);
    CentrePreview();
    ShowWindow(am_.hwnd(), SW_SHOWNA);
    SetWindowPos(movie_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(Control(IDC_CMDDONE), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_CMDDONE)), TRUE);
    if (KindOfMedia(ending) == MediaKind::Video) {
        preview_.Play();
    }
}

void FrmSettings::CentrePreview() {
    // On the black, whatever the size of the picture or video.
    const RECT room = PlaceInParent(Control(IDC_AMBACK));
    const SurfaceSize size = am_.Size();
    SetWindowPos(am_.hwnd(), HWND_TOP, (room.left + room.right - size.width) / 2,
                 (room.top + room.bottom - size.height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void FrmSettings::ClosePreview() {
    preview_.Close();
    am_.SetPicture(nullptr);
    if (IsWindowVisible(movie_)) {
        ShowWindow(movie_, SW_HIDE);
        if (IsWindowVisible(hwnd())) {
            SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_CMDPREVIEW)),
                         TRUE);
        }
    }
}

void FrmSettings::ShowCurtain(bool shown) {
    const HWND curtain = Control(IDC_PICHIDE);
    if (shown) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        SetWindowPos(curtain, HWND_TOP, 0, 0, client.right, client.bottom,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(curtain, SW_HIDE);
    }
}

void FrmSettings::SizeClientForDesign(UINT dpi) {
    const RECT frame = WindowRectForClient(hwnd(), FromTwips(kClientWidthTwips, dpi),
                                           FromTwips(kClientHeightTwips, dpi), dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmSettings::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ShowCurtain(true);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
    ShowCurtain(false);
}

void FrmSettings::LayOut(UINT dpi) {
    // Fonts first: the tab strip's height and the base units come from them.
    UniqueGdi<HFONT> font = FontAt(L"MS Shell Dlg 2", DEFAULT_CHARSET, 8, dpi);
    UniqueGdi<HFONT> arrows = FontAt(Widen(kArrowFont).c_str(), SYMBOL_CHARSET, 10, dpi);
    const auto setFont = [](HWND c, HFONT f) {
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    };
    for (const HWND parent : {hwnd(), movie_}) {
        for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            setFont(c, font.get());
        }
    }
    for (const TemplatePlace& place : templatePlaces_) {
        setFont(place.control, font.get());
    }
    setFont(Control(IDC_CMDUP), arrows.get());
    setFont(Control(IDC_CMDDOWN), arrows.get());
    font_ = std::move(font);
    arrowFont_ = std::move(arrows);

    RECT client{};
    GetClientRect(hwnd(), &client);
    const int margin = FromTwips(kMarginTwips, dpi);
    const int buttonHeight = FromTwips(kButtonHeightTwips, dpi);
    const int buttonWidth = FromTwips(kButtonWidthTwips, dpi);

    // The bottom row: OK, Cancel and Apply, right-aligned with the tab strip.
    const int rowTop = client.bottom -
                       MulDiv(kBottomGapCentiTwips, static_cast<int>(dpi), kTwipsPerInch * 100) -
                       buttonHeight;
    const int right = client.right - margin;
    const auto button = [&](int fromRight) {
        const int r = right - fromRight * (buttonWidth + margin);
        return RECT{r - buttonWidth, rowTop, r, rowTop + buttonHeight};
    };
    SetPlace(Control(IDOK), button(2));
    SetPlace(Control(IDCANCEL), button(1));
    SetPlace(Control(IDC_APPLY), button(0));
    SetPlace(Control(IDC_CLOSE), button(1));

    // The tab strip, its tabs a third of its width each, and the pages in its display
    // area.
    const HWND strip = Control(IDC_TS);
    const RECT stripPlace{
        margin, margin, right,
        margin + client.bottom - FromTwips(kMarginTwips * 5 / 2, dpi) - buttonHeight};
    SetPlace(strip, stripPlace);
    RECT stripClient{};
    GetClientRect(strip, &stripClient);
    const int tabGrowth = ScaledToDpi(kSelectedTabGrowth96, dpi);
    SendMessageW(strip, TCM_SETITEMSIZE, 0,
                 MAKELPARAM((stripClient.right - 2 * tabGrowth) / kPages, 0));
    RECT display = stripPlace;
    SendMessageW(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (const HWND page : pages_) {
        SetPlace(page, display);
    }
    UpdateTabTips();

    // The pages' controls, scaled from the template by the base units of the new font.
    const SIZE units = BaseUnitsOf(hwnd(), font_.get());
    const auto x = [&](LONG v) { return MulDiv(v, units.cx, templateUnits_.cx); };
    const auto y = [&](LONG v) { return MulDiv(v, units.cy, templateUnits_.cy); };
    for (const TemplatePlace& place : templatePlaces_) {
        SetPlace(place.control, RECT{x(place.rect.left), y(place.rect.top), x(place.rect.right),
                                     y(place.rect.bottom)});
    }

    // The preview panel over the whole client area, Done where Apply is.
    SetPlace(movie_, client);
    SetPlace(Control(IDC_AMBACK), RECT{margin, margin, right, rowTop - margin});
    CentrePreview();
    SetPlace(Control(IDC_CMDDONE), button(0));

    // The exercise list: its pictures and columns for this DPI.
    MakeImages(dpi);
    const HWND list = Control(IDC_L);
    RECT listClient{};
    GetClientRect(list, &listClient);
    const int lengthWidth = ScaledToDpi(kLengthColumn96, dpi);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(lengthWidth, 0));
    SendMessageW(
        list, LVM_SETCOLUMNWIDTH, 0,
        MAKELPARAM(std::max(lengthWidth, static_cast<int>(listClient.right) - lengthWidth), 0));

    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FrmSettings::UpdateTabTips() {
    if (!ownTabTools_) {
        return;
    }
    const HWND strip = Control(IDC_TS);
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

void FrmSettings::MakeImages(UINT dpi) {
    const int size = ScaledToDpi(kImageSize96, dpi);
    UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 0));
    if (images == nullptr) {
        Trace("cannot make the exercise list's pictures");
        return;
    }
    // Three pictures side by side: none, off (an empty box), on (a ticked box).
    constexpr COLORREF kMask = RGB(255, 0, 255);
    const WindowDc screen(nullptr);
    const UniqueDc dc(CreateCompatibleDC(screen.get()));
    const UniqueGdi<HBITMAP> strip(CreateCompatibleBitmap(screen.get(), 3 * size, size));
    {
        const SelectedObject selected(dc.get(), strip.get());
        const RECT all{0, 0, 3 * size, size};
        const UniqueGdi<HBRUSH> mask(CreateSolidBrush(kMask));
        FillRect(dc.get(), &all, mask.get());
        DrawCheckBox(dc.get(), kIconOff * size, size, false);
        DrawCheckBox(dc.get(), kIconOn * size, size, true);
    }
    ImageList_AddMasked(images.get(), strip.get(), kMask);
    SendMessageW(Control(IDC_L), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
}

}  // namespace rilto
