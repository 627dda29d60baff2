#pragma once
// The scheme editor's two small dialogs, frmAdd and frmSaveAs: their templates and text
// boxes. Plain macros: the resource script reads this file too, and the tests find the
// controls by these.

#define IDD_ADD 600
#define IDD_SAVEAS 601

// OK and Cancel are IDOK and IDCANCEL.
#define IDC_TXTDISPLAYNAME 602
#define IDC_TXTSCHEME 603
