#include "settings/schemes_page_win.h"

#include <algorithm>

#include "common/dpi_win.h"
#include "common/raise.h"
#include "common/scoped_flag.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"
#include "common/window_win.h"
#include "settings/frm_settings_ids.h"
#include "settings/settings_texts.h"

namespace rilto {

namespace {

// The detail frame, enabled only while a row is selected.
constexpr int kDetailControls[] = {IDC_FRAMEX,   IDC_CHKDOIT, IDC_LBLFOR,
                                   IDC_TXTXSECS, IDC_UPDOWN4, IDC_LBLSECONDS};
constexpr NumberRange kExerciseSecondsSpin{1, 999};
// In dialog units: the "Length" column's width, and the list's check box pictures,
// square and as high as a line of the list's text.
constexpr int kLengthColumnUnits = 53;
constexpr int kImageUnits = 10;
// The buttons that only tell their command.
struct CommandButton {
    int id;
    std::function<void()> SchemesPageEvents::*event;
};
const CommandButton kCommandButtons[] = {
    {IDC_CMDADD, &SchemesPageEvents::addExercise},
    {IDC_CMDREMOVE, &SchemesPageEvents::removeExercise},
    {IDC_CMDPREVIEW, &SchemesPageEvents::preview},
    {IDC_CMDSAVEAS, &SchemesPageEvents::saveSchemeAs},
    {IDC_CMDDELETE, &SchemesPageEvents::deleteScheme},
};
// The arrows' symbol font, in points.
constexpr int kArrowPoints = 10;

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

SchemesPage::SchemesPage() : SettingsPage(IDD_SETTINGS_SCHEMES) {}

INT_PTR SchemesPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog();
            return FALSE;  // a page: the focus stays where it is
        case WM_COMMAND:
            return OnCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<const NMHDR*>(lp));
        default:
            return FALSE;
    }
}

void SchemesPage::OnInitDialog() {
    MakeNumberBoxWithSpin(IDC_TXTXSECS, IDC_UPDOWN4, kExerciseSecondsSpin);
    const HWND list = Item(IDC_L);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const char* columns[] = {kExerciseColumn, kLengthColumn};
    for (int i = 0; i < 2; ++i) {
        std::wstring title = Widen(columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = title.data();
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
    SetWindowTextTo(Item(IDC_CMDUP), kArrowUp);
    SetWindowTextTo(Item(IDC_CMDDOWN), kArrowDown);
    ShowDetail();
}

void SchemesPage::LaidOut(UINT dpi) {
    LOGFONTW arrows{};
    arrows.lfHeight = FontHeightAt(kArrowPoints, dpi);
    arrows.lfWeight = FW_NORMAL;
    arrows.lfCharSet = SYMBOL_CHARSET;
    lstrcpynW(arrows.lfFaceName, Widen(kArrowFont).c_str(), LF_FACESIZE);
    UniqueGdi<HFONT> arrowFont(CreateFontIndirectW(&arrows));
    for (const int id : {IDC_CMDUP, IDC_CMDDOWN}) {
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(arrowFont.get()), FALSE);
    }
    arrowFont_ = std::move(arrowFont);

    MakeImages(PixelsDown(kImageUnits));
    const HWND list = Item(IDC_L);
    RECT listClient{};
    GetClientRect(list, &listClient);
    const int lengthWidth = PixelsAcross(kLengthColumnUnits);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(lengthWidth, 0));
    SendMessageW(
        list, LVM_SETCOLUMNWIDTH, 0,
        MAKELPARAM(std::max(lengthWidth, static_cast<int>(listClient.right) - lengthWidth), 0));
}

void SchemesPage::MakeImages(int size) {
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
    SendMessageW(Item(IDC_L), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
}

// ---- The scheme box

void SchemesPage::SetSchemeBox(const SchemeBox& box) {
    FillSchemeBox(Item(IDC_CMBSCHEMES), box);
}

void SchemesPage::SelectScheme(int index) {
    SendMessageW(Item(IDC_CMBSCHEMES), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string SchemesPage::SchemeShown() const {
    return WindowText(Item(IDC_CMBSCHEMES));
}

// ---- The exercise list and its detail frame

void SchemesPage::SetRows(const std::vector<ExerciseRow>& rows) {
    const HWND list = Item(IDC_L);
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

std::vector<ExerciseRow> SchemesPage::Rows() const {
    const auto count = static_cast<int>(SendMessageW(Item(IDC_L), LVM_GETITEMCOUNT, 0, 0));
    std::vector<ExerciseRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        rows.push_back(RowAt(i));
    }
    return rows;
}

void SchemesPage::SelectRow(int k, bool focus) {
    const HWND list = Item(IDC_L);
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

void SchemesPage::FocusList() {
    Focus(Item(IDC_L));
}

bool SchemesPage::EditingTitle() const {
    return SendMessageW(Item(IDC_L), LVM_GETEDITCONTROL, 0, 0) != 0;
}

int SchemesPage::SelectedRow() const {
    return static_cast<int>(
        SendMessageW(Item(IDC_L), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

ExerciseRow SchemesPage::RowAt(int index) const {
    const HWND list = Item(IDC_L);
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

void SchemesPage::SetRowIcon(int index, int icon) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iImage = icon;
    SendMessageW(Item(IDC_L), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void SchemesPage::ShowDetail() {
    const int row = SelectedRow();
    ExerciseDetail detail;
    if (row >= 0) {
        detail = DetailIt(RowAt(row));
    }
    {
        const ScopedFlag filling(filling_);
        SetWindowTextTo(Item(IDC_FRAMEX), detail.caption);
        Check(IDC_CHKDOIT, detail.chkDoit);
        SetWindowTextTo(Item(IDC_TXTXSECS), detail.txtXsecs);
    }
    for (const int id : kDetailControls) {
        EnableWindow(Item(id), row >= 0);
    }
}

// ---- Commands and notifications

bool SchemesPage::OnCommand(int id, int code) {
    switch (id) {
        case IDC_CMBSCHEMES:
            if (code == CBN_SELCHANGE) {
                if (const std::optional<SchemePick> pick = PickedScheme(Item(IDC_CMBSCHEMES))) {
                    Raise(events_.schemePicked, *pick);
                }
            }
            return true;
        case IDC_CHKDOIT:
            if (code == BN_CLICKED) {
                if (const int row = SelectedRow(); row >= 0) {
                    SetRowIcon(row, Checked(IDC_CHKDOIT) ? kIconOn : kIconOff);
                }
            }
            return true;
        case IDC_TXTXSECS:
            if (code == EN_CHANGE && !filling_) {
                if (const int row = SelectedRow(); row >= 0) {
                    SetListText(Item(IDC_L), row, 1,
                                WindowText(Item(IDC_TXTXSECS)) + kSecondsSuffix);
                }
            }
            return true;
        default:
            break;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDC_CMDUP || id == IDC_CMDDOWN) {
        Raise(events_.moveExercise, id == IDC_CMDUP);
        return true;
    }
    for (const CommandButton& button : kCommandButtons) {
        if (button.id == id) {
            Raise(events_.*button.event);
            return true;
        }
    }
    return false;
}

INT_PTR SchemesPage::OnNotify(const NMHDR* header) {
    if (header->idFrom != IDC_L) {
        return FALSE;
    }
    switch (header->code) {
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            if ((change->uChanged & LVIF_STATE) != 0 &&
                ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) != 0 && !filling_) {
                ShowDetail();
            }
            return TRUE;
        }
        case NM_DBLCLK: {
            const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
            const int row = activate->iItem >= 0 ? activate->iItem : SelectedRow();
            if (row >= 0) {
                SetRowIcon(row, RowAt(row).icon == kIconOn ? kIconOff : kIconOn);
                ShowDetail();
            }
            return TRUE;
        }
        case LVN_BEGINLABELEDITW:
            Raise(events_.editingTitle, true);
            return Answer(FALSE);  // the edit may begin
        case LVN_ENDLABELEDITW: {
            const auto* edit = reinterpret_cast<const NMLVDISPINFOW*>(header);
            Raise(events_.editingTitle, false);
            const bool accepted = edit->item.pszText != nullptr;
            if (accepted && edit->item.iItem == SelectedRow()) {
                ExerciseRow row = RowAt(edit->item.iItem);
                row.text = Narrow(edit->item.pszText);
                SetWindowTextTo(Item(IDC_FRAMEX), DetailIt(row).caption);
            }
            return Answer(accepted ? TRUE : FALSE);
        }
        default:
            return FALSE;
    }
}

}  // namespace rilto
