#pragma once
// frmSettings, "Rilto Options": a modeless dialog made once from its template and
// hidden until the user asks for it. A tab strip switches between three pages: the
// micropause options, the exercise break options and the exercise schemes. The first
// two pages show a SettingsForm; the third the rows of the scheme in use, each with a
// detail frame for the selected row. What the buttons mean is the program's to decide:
// the dialog tells it through FrmSettingsEvents.

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "common/handles_win.h"
#include "exercise/mci_video_win.h"
#include "exercise/scheme_rows.h"
#include "settings/settings_form.h"

namespace rilto {

struct FrmSettingsEvents {
    std::function<void()> apply;   // "&Apply"
    std::function<void()> ok;      // "OK": the program applies, pauses and hides
    std::function<void()> cancel;  // "Cancel", ESC, the close box
    // A scheme picked in either scheme box, by name.
    std::function<void(const std::string&)> schemeChosen;
    // One of the "..." buttons beside the warnings: 0 micropause, 1 exercise break,
    // 2 a minute early.
    std::function<void(int)> warningSound;
    // The scheme page's buttons.
    std::function<void()> addExercise;          // "Add..."
    std::function<void()> removeExercise;       // "Remove"
    std::function<void(bool up)> moveExercise;  // the arrows beside the list
    std::function<void()> preview;              // "&Preview"
    std::function<void()> previewDone;          // "&Done", or ESC during a preview
    std::function<void()> saveSchemeAs;         // "Save As..."
    std::function<void()> deleteScheme;         // "Delete"
};

struct ImageListDestroyer {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDestroyer>;

class FrmSettings {
  public:
    static constexpr int kPages = 3;

    FrmSettings() = default;
    ~FrmSettings();
    FrmSettings(const FrmSettings&) = delete;
    FrmSettings& operator=(const FrmSettings&) = delete;

    // Creates the dialog hidden. False when Windows refuses.
    bool Create(FrmSettingsEvents events);
    // For the program's message loop: the dialog's keys (Tab, Enter, ESC, access keys)
    // and Ctrl+Tab / Ctrl+Shift+Tab to the next / previous page, wherever the focus is
    // in the dialog. True when the message was the dialog's.
    bool TranslateDialogMessage(MSG* msg);

    // The first two pages.
    void Fill(const SettingsForm& form);
    SettingsForm Read() const;
    // Both scheme boxes, the same names and selection; no schemeChosen is raised.
    void SetSchemeBoxes(const SchemeBox& box);
    // The exercise list, its first row selected and shown in the detail frame (an
    // empty, disabled frame when there are no rows).
    void SetRows(const std::vector<ExerciseRow>& rows);
    // The list as the user has edited it.
    std::vector<ExerciseRow> Rows() const;
    bool HasRows() const;
    // The selected row, from 1; 0 when none is.
    int SelectedRowNumber() const { return SelectedRow() + 1; }
    // Row k (from 1) selected, scrolled into view and shown in the detail frame; with
    // `focus`, the list takes the focus.
    void SelectRow(int k, bool focus);
    void FocusList();
    // The scheme the first scheme box shows.
    std::string SchemeShown() const;

    // The preview panel over the pages: the hourglass while the file opens, then the
    // picture, or the video playing at the largest size up to `viewAm` that fits.
    void ShowPreview(const std::string& file, std::int32_t viewAm,
                     const std::string& programFolder);
    // The preview's video closed and the panel hidden.
    void ClosePreview();

    // Centred on the primary monitor's work area, where the tray is, laid out for its
    // DPI and shown in front; behind a curtain, so that nothing is seen to move.
    void ShowDialog();
    void Hide();

    HWND hwnd() const { return dialog_.get(); }
    // A control of the dialog, of one of its pages or of the preview panel, by id.
    HWND Control(int id) const;
    // The page picTs(index).
    HWND Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }

  private:
    // A page's control and its place there as the template made it.
    struct TemplatePlace {
        HWND control;
        RECT rect;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    bool OnInitDialog();
    void InitControls();
    void RecordTemplatePlaces();
    bool OnCommand(int id, int code);
    // The scheme page's buttons and the preview's Done.
    bool OnButton(int id, int code);
    bool OnNotify(HWND window, NMHDR* header);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    // The layout for `dpi` in the client area as it is.
    void LayOut(UINT dpi);
    void SizeClientForDesign(UINT dpi);
    void ShowCurtain(bool shown);
    void ShowPage(int index);
    void StepPage(int delta);
    void UpdateTabTips();
    void MakeImages(UINT dpi);

    // The detail frame from the selected row, or empty and disabled.
    void ShowDetail();
    void CentrePreview();
    int SelectedRow() const;
    ExerciseRow RowAt(int index) const;
    void SetRowIcon(int index, int icon);
    void SchemePicked(int boxId);
    void SetDefaultButton(bool okIsDefault);
    // A title of the exercise list is being edited in place.
    bool EditingTitle() const;

    void Raise(const std::function<void()>& event) const {
        if (event) {
            event();
        }
    }

    FrmSettingsEvents events_;
    std::array<HWND, kPages> pages_{};
    HWND movie_ = nullptr;
    std::vector<TemplatePlace> templatePlaces_;
    SIZE templateUnits_{4, 8};
    std::array<std::wstring, kPages> tipTexts_;
    bool ownTabTools_ = false;
    bool filling_ = false;
    UniqueGdi<HFONT> font_;
    UniqueGdi<HFONT> arrowFont_;
    UniqueImageList images_;
    // Last: the dialog goes before the fonts and pictures its controls use.
    UniqueWindow dialog_;
    // The preview surface, a child of the panel; gone before the dialog.
    MediaSurface am_;
    // The preview's own video device: a break may play its video meanwhile.
    VideoDevice preview_{kPreviewVideoAlias};
};

}  // namespace rilto
