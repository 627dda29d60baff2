#pragma once
// The base of every dialog of the program, beside Window: one object per dialog, made
// from a template of the module's resources. The dialog procedure finds the object
// through DWLP_USER, set at WM_INITDIALOG and cleared at WM_NCDESTROY, so no message
// reaches an object that is gone or only half made; and no C++ exception ever leaves it.
//
// Every dialog lays itself out one way: at a DPI it makes its font for that DPI (the
// template's, or the system's message font), measures the font's base units as the
// dialog manager does, and puts every control at its template place. The dialog
// manager's own scaling at a DPI change is off, so nothing else moves the controls. In
// a dialog the user sizes, a control anchored to the right or bottom edge keeps its
// distance to it from the template's size on.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "common/dialog_template.h"
#include "common/guarded_call_win.h"
#include "common/handles_win.h"

namespace rilto {

// The font a dialog's controls are set in.
enum class DialogFont {
    Template,  // the one its template names, at the DPI
    Message,   // the system's message font, at the DPI
};

class Dialog {
  public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND hwnd() const { return hwnd_; }
    // One of the dialog's own controls, by id.
    HWND Item(int id) const { return hwnd_ != nullptr ? GetDlgItem(hwnd_, id) : nullptr; }

    // For the program's message loop: Tab, Enter, ESC and the access keys of a dialog
    // that is shown. True when the message was the dialog's.
    virtual bool TranslateDialogMessage(MSG* msg);

    // What a layout does with the dialog's own size.
    enum class Sizing {
        Keep,      // left as it is: a page's or panel's size is its host's to give
        Template,  // the client area the template's size
        Fit,       // left as it is unless a control would fall outside: the template's
    };
    // The font for `dpi`, every control at its template place, and the dialog's size
    // as `sizing` says. Then LaidOut.
    void LayOut(UINT dpi, Sizing sizing);
    // A length in dialog units, in pixels with the font of the last layout.
    int PixelsAcross(int units) const { return DialogUnitsToPixelsX(units, units_); }
    int PixelsDown(int units) const { return DialogUnitsToPixelsY(units, units_); }
    // The focus to a control of the dialog, or of a page in it, as the dialog manager
    // moves it: the whole dialog, pages and all, keeps one focus.
    void Focus(HWND control) const;

  protected:
    explicit Dialog(int templateId, DialogFont font = DialogFont::Template)
        : templateId_(templateId), fontKind_(font) {}

    // Modeless, hidden unless the template says WS_VISIBLE. False (with a trace) when
    // Windows refuses.
    bool CreateModeless(HWND owner);
    // A page inside `parent` from a DS_CONTROL template, given the child id `childId`.
    bool CreatePage(HWND parent, int childId);
    // Modal: returns what End was given, or -1 (with a trace) when Windows refuses.
    INT_PTR RunModal(HWND owner);
    void End(INT_PTR result) { EndDialog(hwnd_, result); }

    // Destroys the dialog if it still exists, after which the object hears no more of
    // it. A class with members calls it first thing in its destructor, so that the
    // dialog and its controls are gone before the members they might reach.
    void Destroy();

    // Every message from WM_INITDIALOG on, as a dialog procedure answers: TRUE when
    // handled (a notification's own answer goes through Answer).
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    // After each layout, and after each size change of a dialog with controls anchored
    // to its right or bottom edge: what the template cannot say (pictures, columns,
    // pages).
    virtual void LaidOut(UINT /*dpi*/) {}
    // WM_DPICHANGED: the suggested rectangle taken, then laid out for the new DPI,
    // grown to the template's size if a control would not fit in it: the font's size
    // does not follow the DPI exactly.
    virtual void DpiChanged(UINT dpi, const RECT& suggested);

    // A message's result where the dialog procedure's own return value cannot carry it.
    INT_PTR Answer(LONG_PTR result);

    // The edges (DialogAnchor) of the dialog that a control keeps its distance to; left
    // and top unless said otherwise. Said at WM_INITDIALOG, before the first layout.
    void Anchor(int id, unsigned anchors);
    // The window's size for a client area of `across` by `down` dialog units, with the
    // font of the last layout.
    SIZE WindowSizeForUnits(int across, int down) const;

  private:
    // A control, its place in its template, and the edges it keeps to.
    struct TemplatePlace {
        HWND control;
        DialogUnitRect place;
        unsigned anchors = kAnchorLeftTop;
    };

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // At WM_INITDIALOG: the object behind the dialog, and its controls paired with
    // their template places.
    void Attach(HWND hwnd);
    void Detach();
    // Every control at its template place, anchored to the client area as it is now.
    void PlaceControls();
    UniqueGdi<HFONT> MakeFont(UINT dpi) const;
    // The window's size for the template's client area at `dpi` with `units`.
    SIZE TemplateWindowSize(UINT dpi, DialogBaseUnits units) const;
    // Every control, as placed, lies inside the client area.
    bool ControlsFit() const;
    // WM_GETDPISCALEDSIZE: the window's size at the new DPI, so that Windows suggests
    // the size the template gives; not for a dialog the user sizes, whose size Windows
    // scales.
    bool ScaledSize(UINT dpi, SIZE* size) const;

    int templateId_;
    DialogFont fontKind_;
    HWND hwnd_ = nullptr;
    DialogTemplate template_;
    std::vector<TemplatePlace> places_;
    bool anchored_ = false;  // some control keeps to the right or bottom edge
    bool layingOut_ = false;
    DialogBaseUnits units_;
    // Outlives the dialog: the base's destructor destroys the dialog first.
    UniqueGdi<HFONT> font_;
    UINT fontDpi_ = 0;
};

// One message of a procedure, handled so that no C++ exception leaves it: a failure is
// traced as `what` ("a dialog message") and the message counts as not handled.
template <class Handle>
INT_PTR GuardedDialogMessage(const char* what, Handle&& handle) noexcept {
    return GuardedCall(what, std::forward<Handle>(handle), [] { return INT_PTR{FALSE}; });
}

// The hourglass while something takes its time; the pointer as it was afterwards.
class BusyCursor {
  public:
    BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { SetCursor(old_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    HCURSOR old_;
};

// A class of its own for a dialog whose template names it (CLASS), so that other
// programs can find the dialog by class: the dialog manager's procedure and room.
// Registered once per process; false (with a trace) when Windows refuses.
bool RegisterDialogClass(const wchar_t* name);

// The dialog manager leaves the dialog's layout alone when its DPI changes: the dialog
// lays itself out. Nothing happens on Windows older than 10 1703.
void KeepDialogScalingOff(HWND dialog);

// The primary monitor's work area, where the tray is.
RECT PrimaryWorkArea();
// The window's outer size, frame and all.
SIZE FrameSize(HWND window);

// On the primary monitor's work area, where the tray is: 1/`parts` of the room around
// the window to its left and above it (2 centres it), its top kept on the work area.
void PlaceOnWorkArea(HWND window, int parts);

}  // namespace rilto
