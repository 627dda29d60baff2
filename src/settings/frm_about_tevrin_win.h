#pragma once
// frmAboutTevrin, "About Rilto": a modeless dialog from its template with the program's
// logo, its version as its own version resource gives it, a picture and a few words.
// OK, ESC and the close box destroy it; the next Show makes it afresh.

#include <windows.h>

#include <string>

#include "common/dialog_win.h"
#include "common/handles_win.h"

namespace rilto {

// "major.minor.revision" from the file version of the module's VERSIONINFO, or empty
// when the module has none.
std::wstring ModuleVersionLabel(HMODULE module);

class FrmAboutTevrin : public Dialog {
  public:
    FrmAboutTevrin();
    ~FrmAboutTevrin() override { Destroy(); }

    // Brings the open box to the front; otherwise makes it and shows it at a third of
    // the primary work area's free space. False when Windows refuses.
    bool Show(HWND owner);
    bool IsOpen() const { return hwnd() != nullptr; }

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void LaidOut(UINT dpi) override;
    void OnInitDialog();
    void MakeImages();
    void Close();

    UINT dpi_ = 96;
    // The picture as the resource holds it, and as drawn for the dialog's DPI.
    UniqueGdi<HBITMAP> source_;
    UniqueGdi<HBITMAP> picture_;
    UniqueIcon logo_;
};

}  // namespace rilto
