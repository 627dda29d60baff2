#pragma once
// Resource identifiers of rilto32's own resource script.

#include "common/resource_ids.h"

// The commands of the tray menu mnuPopup, which the tray menu's model lists
#define IDM_POPUP_OPTIONS 2001
#define IDM_POPUP_STATUS 2002
#define IDM_POPUP_ABOUT 2003
#define IDM_DEMO_MICROPAUSE 2004
#define IDM_EXERCISE 2005
#define IDM_SHUTDOWN_RILTO 2006
// "&Pause" and its items; "&Resume (paused until hh:nn)" stands in its place while paused.
#define IDM_PAUSE_30 2007
#define IDM_PAUSE_60 2008
#define IDM_PAUSE_120 2009
#define IDM_PAUSE_TOMORROW 2010
#define IDM_RESUME 2011
#define IDM_POPUP_STATISTICS 2012
// "Rea&ding Mode", checked while on
#define IDM_READING_MODE 2013
// mnuX(i), one item per exercise scheme: IDM_SCHEME_FIRST + i - 1
#define IDM_SCHEME_FIRST 2100
#define IDM_SCHEME_LAST 2999
