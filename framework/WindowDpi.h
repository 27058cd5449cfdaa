// The display scale of a window and the system metrics that go with it. The
// per-monitor functions exist only on newer systems (Windows 10 1607 on), so they are
// looked up at run time; older systems get the one scale of the screen.
#pragma once
#include "framework/Dpi.h"
#include <windows.h>

namespace fw {

// Pixels per inch of the monitor the window is on (per-monitor awareness), else of the screen.
int WindowDpi(HWND hwnd);
// Pixels per inch the system started with (the notification area and the desktop use it).
int SystemDpi();
// GetSystemMetrics for a scale: the system's value, scaled when the system cannot tell.
int SystemMetricForDpi(int index, int dpi);
// The menu, caption and message fonts for a scale.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& ncm, int dpi);
// Stops the dialog manager from rescaling a dialog's fonts and controls on a scale
// change, for a dialog that does it itself. Nothing on systems without it.
void KeepDialogFromRescaling(HWND dialog);

// An icon resource at a square size, drawn for that size (the caller destroys it);
// null for id 0.
HICON LoadIconAtSize(int iconId, int size);

}  // namespace fw
