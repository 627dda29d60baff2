#pragma once
// The settings dialog "Rilto Options": its templates and controls. Plain macros: the
// resource script reads this file too, and the tests find the controls by these.

// The templates: the dialog, its six pages picTs(0 to 5) and the preview panel.
#define IDD_SETTINGS 300
#define IDD_SETTINGS_MICROPAUSES 301
#define IDD_SETTINGS_EXERCISE_BREAKS 302
#define IDD_SETTINGS_SCHEMES 303
#define IDD_SETTINGS_MOVIE 304
#define IDD_SETTINGS_HOLDS 305
#define IDD_SETTINGS_SCHEDULE 306
#define IDD_SETTINGS_KEYS 307

// The dialog's own controls (OK and Cancel are IDOK and IDCANCEL).
#define IDC_TS 3001
#define IDC_APPLY 3002
#define IDC_CLOSE 3003
#define IDC_PICHIDE 3004
#define IDC_PICTS0 3005
#define IDC_PICTS1 3006
#define IDC_PICTS2 3007
#define IDC_PICTS3 3008
#define IDC_PICTS4 3009
#define IDC_PICMOVIE 3010

// "Micropauses"
#define IDC_TXTINTFOR 3101
#define IDC_UPDOWN1 3102
#define IDC_TXTINTEVERY 3103
#define IDC_UPDOWN2 3104
#define IDC_CHKRESET 3105
#define IDC_CHKMONITOR0 3106
#define IDC_CHKMONITOR1 3107
#define IDC_CHKBLANK 3108
#define IDC_CHKDISABLEESC 3109
#define IDC_CHKAUDIBLEPRE 3110
#define IDC_CMDWARNING2 3111
#define IDC_CHKAUDIBLE 3112
#define IDC_CMDWARNING0 3113
#define IDC_TXTWARNING 3114
#define IDC_TXTSKIPSPERDAY 3115
#define IDC_UPDOWN9 3116

// "Exercise Breaks"
#define IDC_TXTEVERYM 3201
#define IDC_UPDOWN5 3202
#define IDC_CHKAUDIBLEX 3203
#define IDC_CMDWARNING1 3204
#define IDC_CHKBLANKX 3205
#define IDC_COMBOVIEW 3206
#define IDC_TXTNUMATATIME 3207
#define IDC_UPDOWN3 3208
#define IDC_CMBSCHEMES2 3209
#define IDC_OPTXSTART0 3210
#define IDC_OPTXSTART1 3211
#define IDC_TXTAWAYM 3212
#define IDC_UPDOWN7 3213
#define IDC_TXTLATERPERBREAK 3214
#define IDC_UPDOWN10 3215

// "Exercise Schemes"
#define IDC_CMBSCHEMES 3301
#define IDC_CMDSAVEAS 3302
#define IDC_CMDDELETE 3303
#define IDC_L 3304
#define IDC_CMDADD 3305
#define IDC_CMDREMOVE 3306
#define IDC_CMDUP 3307
#define IDC_CMDDOWN 3308
#define IDC_CMDPREVIEW 3309
#define IDC_FRAMEX 3310
#define IDC_CHKDOIT 3311
#define IDC_LBLFOR 3312
#define IDC_TXTXSECS 3313
#define IDC_UPDOWN4 3314
#define IDC_LBLSECONDS 3315

// "Holds"
#define IDC_CHKFULLSCREEN 3501
#define IDC_TXTMAXM 3502
#define IDC_UPDOWN6 3503
#define IDC_TXTPROGRAMS 3504
#define IDC_CHKCALLS 3505
#define IDC_TXTIGNOREDEVICES 3506

// "Schedule": the switch, one box per weekday from Monday (IDC_TXTHOURS0 + day), the line
// that says what they mean, and the daily limit.
#define IDC_CHKSCHEDULE 3601
#define IDC_TXTHOURS0 3602
#define IDC_TXTHOURS1 3603
#define IDC_TXTHOURS2 3604
#define IDC_TXTHOURS3 3605
#define IDC_TXTHOURS4 3606
#define IDC_TXTHOURS5 3607
#define IDC_TXTHOURS6 3608
#define IDC_LBLHOURS 3609
#define IDC_CHKLIMIT 3610
#define IDC_TXTLIMITM 3611
#define IDC_UPDOWN8 3612

// "Keys": a box per global hot key (IDC_TXTHOTKEY0 + command) and beside each what keeps
// it out of use (IDC_LBLHOTKEY0 + command), in the order of the commands. The page itself
// is picTs(5), whose id follows the preview panel's.
#define IDC_PICTS5 3011
#define IDC_TXTHOTKEY0 3701
#define IDC_TXTHOTKEY1 3702
#define IDC_TXTHOTKEY2 3703
#define IDC_TXTHOTKEY3 3704
#define IDC_TXTHOTKEY4 3705
#define IDC_LBLHOTKEY0 3711
#define IDC_LBLHOTKEY1 3712
#define IDC_LBLHOTKEY2 3713
#define IDC_LBLHOTKEY3 3714
#define IDC_LBLHOTKEY4 3715

// The preview panel picMovie
#define IDC_AM 3401
#define IDC_CMDDONE 3402
// The black behind the preview surface am.
#define IDC_AMBACK 3403
