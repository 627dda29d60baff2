#pragma once
// picTs(2), "Exercise Schemes": the scheme box with "Save As..." and "Delete", the rows
// of the scheme shown in the list `l` with their commands beside it, and the detail
// frame of the selected row. What the commands do is the settings controller's: the
// page raises them as events.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "exercise/scheme_rows.h"
#include "settings/settings_pages_win.h"

namespace rilto {

struct SchemesPageEvents {
    std::function<void(const SchemePick&)> schemePicked;
    std::function<void()> addExercise;          // "Add..."
    std::function<void()> removeExercise;       // "Remove"
    std::function<void(bool up)> moveExercise;  // the arrows beside the list
    std::function<void()> preview;              // "&Preview"
    std::function<void()> saveSchemeAs;         // "Save As..."
    std::function<void()> deleteScheme;         // "Delete"
    // A title of the list is being edited in place (true), or no longer: meanwhile
    // Enter belongs to the edit.
    std::function<void(bool)> editingTitle;
};

class SchemesPage : public SettingsPage {
  public:
    SchemesPage();
    ~SchemesPage() override { Destroy(); }

    void SetEvents(SchemesPageEvents events) { events_ = std::move(events); }

    void SetSchemeBox(const SchemeBox& box);
    // The scheme box follows a pick in the other scheme box, without a word.
    void SelectScheme(int index);
    // The scheme the scheme box shows.
    std::string SchemeShown() const;

    // The list, its first row selected and shown in the detail frame (an empty,
    // disabled frame when there are no rows).
    void SetRows(const std::vector<ExerciseRow>& rows);
    // The list as the user has edited it.
    std::vector<ExerciseRow> Rows() const;
    // The selected row, from 1; 0 when none is.
    int SelectedRowNumber() const { return SelectedRow() + 1; }
    // Row k (from 1) selected, scrolled into view and shown in the detail frame; with
    // `focus`, the list takes the focus.
    void SelectRow(int k, bool focus);
    void FocusList();
    // A title of the list is being edited in place.
    bool EditingTitle() const;

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LaidOut(UINT dpi) override;
    void OnInitDialog();
    bool OnCommand(int id, int code);
    INT_PTR OnNotify(const NMHDR* header);

    // The detail frame from the selected row, or empty and disabled.
    void ShowDetail();
    int SelectedRow() const;
    ExerciseRow RowAt(int index) const;
    void SetRowIcon(int index, int icon);
    void MakeImages(int size);

    SchemesPageEvents events_;
    bool filling_ = false;
    UniqueGdi<HFONT> arrowFont_;
    UniqueImageList images_;
};

}  // namespace rilto
