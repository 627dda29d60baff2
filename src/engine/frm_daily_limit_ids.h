#pragma once
// "Rilto Daily Limit": its template and controls. Plain macros: the resource script reads
// this file too; other programs and the tests find the controls by these ids, and the
// window itself by its class.

#define IDD_DAILY_LIMIT 1300
#define RILTO_DAILY_LIMIT_CLASS "RiltoDailyLimit"

#define IDC_LIMIT_TEXT 1301
#define IDC_LIMIT_STOP 1302
#define IDC_LIMIT_LATER 1303
