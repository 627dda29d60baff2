#pragma once
// "Rilto Statistics": the dialog and its controls. Plain macros: the resource script
// reads this file too. Close is IDCANCEL, so that ESC closes.

#define IDD_STATISTICS 700
#define IDC_STATISTICS_TODAY 701
#define IDC_STATISTICS_WEEK 702
#define IDC_STATISTICS_MONTH 703
#define IDC_STATISTICS_CHART 704
#define IDC_STATISTICS_COPY 705
