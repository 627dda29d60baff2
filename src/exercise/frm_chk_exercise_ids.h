#pragma once
// The reminder's controls; other programs and the tests find them by these ids.

#define IDC_CHK_OK 1101
#define IDC_CHK_FRAME 1102
#define IDC_CHK_FOR 1103
#define IDC_CHK_MINUTES 1104
#define IDC_CHK_UPDOWN 1105
#define IDC_CHK_MINUTES_LABEL 1106
#define IDC_CHK_LATER 1107
