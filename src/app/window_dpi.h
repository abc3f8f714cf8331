// The main window at any DPI. The program declares itself per-monitor aware (v2,
// else system aware); every DPI call newer than Windows 7 is looked up at run
// time, so the program starts there too and stays system aware.
#pragma once

#include <windows.h>

namespace vexal {

// WM_NCCREATE: the title bar and the menu scale with the monitor's DPI where the
// window is only per-monitor aware (v1); v2 does so by itself.
void ScaleNonClientArea(HWND window);

// The system's dots per inch, which the stock fonts are made for.
int SystemDpi();

// The window's dots per inch: its monitor's where Windows tells it, else the system's.
int WindowDpi(HWND window);

// WM_GETMINMAXINFO: the smallest window whose client area is 320 x 240 at 96 dpi,
// scaled with `dpi`, counting the rows the menu bar wraps into at that width.
POINT MinimumWindowSize(HWND window, int dpi);

}  // namespace vexal
