#pragma once
// frmAboutTevrin, "About Rilto": the dialog and its controls. Plain macros: the
// resource script reads this file too. OK is IDOK.

#define IDD_ABOUT 400
#define IDB_ABOUT 401
#define IDC_ABOUT_LBLVERSION 410
#define IDC_ABOUT_IMGPIC 411
#define IDC_ABOUT_PICTURE1 412
#define IDC_ABOUT_LBLCREDIT 413
#define IDC_ABOUT_TEXT2 414
#define IDC_ABOUT_LBLTITLE 415
