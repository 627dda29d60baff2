#pragma once
// The reminder "Exercise...": its template and controls. Plain macros: the resource
// script reads this file too; other programs and the tests find the controls by these
// ids, and the reminder itself by its window class.

#define IDD_CHK_EXERCISE 1100
#define RILTO_REMINDER_CLASS "RiltoExerciseReminder"

#define IDC_CHK_OK 1101
#define IDC_CHK_FRAME 1102
#define IDC_CHK_FOR 1103
#define IDC_CHK_MINUTES 1104
#define IDC_CHK_UPDOWN 1105
#define IDC_CHK_MINUTES_LABEL 1106
#define IDC_CHK_LATER 1107
