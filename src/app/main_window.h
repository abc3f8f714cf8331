// The program's one top-level window: its state and its window procedure.
#pragma once

#include <windows.h>

namespace vexal {

// Written only by MainWndProc, on the window's thread.
struct MainWindowState {
  int clientWidth = 0;           // from WM_SIZE; 0 until the first one
  int clientHeight = 0;          // from WM_SIZE
  int baseUnitX = 0;             // low word of GetDialogBaseUnits, recorded at WM_CREATE
  int baseUnitY = 0;             // high word of GetDialogBaseUnits
  int dpi = 96;                  // the window's, from WM_CREATE and WM_DPICHANGED
  int systemDpi = 96;            // the stock fonts', recorded at WM_CREATE
  HINSTANCE instance = nullptr;  // loads the dialog templates
};

const MainWindowState& TheMainWindowState();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vexal
