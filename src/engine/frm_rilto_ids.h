#pragma once
// Control identifiers of the main form frmRilto and its panel picBlack. Other programs
// on the desktop (the tests among them) find the controls by these.

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
#define IDC_LBLHOTKEYS 1011
