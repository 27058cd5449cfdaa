// A list view's header in the dark scheme, drawn by us through its custom draw (the
// system's header stays light whatever the colours around it).
#pragma once
#include <windows.h>
#include <commctrl.h>

// Answers the header's NM_CUSTOMDRAW: the background, each column's title and, on the
// sorted column, an arrow for the direction. `sortColumn` -1: no arrow.
LRESULT DrawDarkHeader(NMCUSTOMDRAW& cd, int sortColumn, bool ascending);
