#pragma once
// Resources that more than one part of the program uses. Plain macros: resource
// scripts read this file too.

// The program icon: the tray, the windows' icons and the logo of the micropause screen.
#define IDI_RILTO 1
// The same icon while the breaks are paused: the tray shows it then.
#define IDI_RILTO_PAUSED 2
