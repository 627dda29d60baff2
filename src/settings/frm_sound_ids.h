#pragma once
// The warning sound dialog "Sound warning": its template and controls. Plain macros:
// the resource script reads this file too, and the tests find the controls by these.

#define IDD_SOUND 500

// OK and Cancel are IDOK and IDCANCEL.
#define IDC_OPTTYPE0 501
#define IDC_OPTTYPE1 502
#define IDC_CMDSOUND 503
