#pragma once
// Resource identifiers of rilto32.

#include "common/product.h"

#define IDI_RILTO 1

#define IDD_FRMRILTO 100
#define IDD_PICBLACK 101

// frmRilto and its panel picBlack
#define IDC_PICBLACK 1001
#define IDC_LBLWARNING 1002
#define IDC_PICPB 1003
#define IDC_LBLESC 1004
#define IDC_LBLVOLUNTARY 1005
#define IDC_LBLRILTO 1006
#define IDC_LBLEXERCISE 1007
#define IDC_PICTEVRIN 1008
#define IDC_LBLVERSION 1009
#define IDC_PICHOOK 1010

// Window classes named in the dialog templates.
#define RILTO_MAIN_CLASS "RiltoMicropauseMain"
#define RILTO_PROGRESS_CLASS "RiltoProgressCanvas"

// The tray menu mnuPopup
#define IDM_POPUP 200
#define IDM_POPUP_OPTIONS 2001
#define IDM_POPUP_STATUS 2002
#define IDM_POPUP_ABOUT 2003
#define IDM_DEMO_MICROPAUSE 2004
#define IDM_EXERCISE 2005
#define IDM_SHUTDOWN_RILTO 2006
// mnuX(i), one item per exercise scheme: IDM_SCHEME_FIRST + i - 1
#define IDM_SCHEME_FIRST 2100
#define IDM_SCHEME_LAST 2999
