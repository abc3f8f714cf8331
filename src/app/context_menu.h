// The right-click menu of the picture and its four commands, 6070 to 6073,
// which Ctrl+C ("Bild kopieren") and outside tools send as well.
#pragma once

#include <windows.h>

namespace vexal {

// WM_CONTEXTMENU: opens the menu at the point clicked, or for the keyboard
// (x and y -1) in the middle of the client area. False for a point outside the
// client area, which the caller passes on (the title bar's system menu).
bool ShowContextMenu(HWND window, LPARAM lParam);

// WM_COMMAND: runs 6070 to 6073 and ignores every other identifier.
void HandleContextCommand(HWND window, WPARAM wParam);

}  // namespace vexal
