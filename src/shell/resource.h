#pragma once
// Resource identifiers of rilto32.

#include "shell/hook_window_class.h"

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
