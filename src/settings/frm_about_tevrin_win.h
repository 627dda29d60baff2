#pragma once
// frmAboutTevrin, "About Rilto": a modeless dialog from its template with the program's
// logo, its version as its own version resource gives it, a picture and a few words.
// OK, ESC and the close box destroy it; the next Show makes it afresh.

#include <windows.h>

#include <string>

#include "common/handles_win.h"

namespace rilto {

// "major.minor.revision" from the file version of the module's VERSIONINFO, or empty
// when the module has none.
std::wstring ModuleVersionLabel(HMODULE module);

class FrmAboutTevrin {
  public:
    FrmAboutTevrin() = default;
    ~FrmAboutTevrin();
    FrmAboutTevrin(const FrmAboutTevrin&) = delete;
    FrmAboutTevrin& operator=(const FrmAboutTevrin&) = delete;

    // Brings the open box to the front; otherwise makes it and shows it at a third of
    // the primary work area's free space. False when Windows refuses.
    bool Show(HWND owner);
    bool IsOpen() const { return dialog_ != nullptr; }
    HWND hwnd() const { return dialog_.get(); }
    // For the program's message loop: the dialog's keys. True when the message was its.
    bool TranslateDialogMessage(MSG* msg);

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR HandleMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    void OnInitDialog();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void MakeImages();
    void Close();

    UINT dpi_ = 96;
    // The picture as the resource holds it, and as drawn for the dialog's DPI.
    UniqueGdi<HBITMAP> source_;
    UniqueGdi<HBITMAP> picture_;
    UniqueIcon logo_;
    // The dialog's font after a DPI change.
    UniqueGdi<HFONT> font_;
    // Last: the dialog goes before the pictures and the font its controls use.
    UniqueWindow dialog_;
};

}  // namespace rilto
