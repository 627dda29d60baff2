#pragma once
// The exercise player's controls; other programs and the tests find them by these ids.

#define IDC_X_BACKDROP 101
#define IDC_X_SURFACE 102
#define IDC_X_BAR 103
// The media bar's buttons, children of the bar.
#define IDC_X_PREVIOUS 1
#define IDC_X_NEXT 2
#define IDC_X_PLAY 3
#define IDC_X_PAUSE 4
#define IDC_X_STOP 5
