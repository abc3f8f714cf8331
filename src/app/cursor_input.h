// The cursors in the main window: "Cursor" of the right-click menu, the mouse
// and the keys that move them, and the pointer over a cursor line.
#pragma once

#include <windows.h>

namespace vexal {

// Shows or hides the cursors and repaints.
void ToggleCursorsCommand(HWND window);

// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and WM_CAPTURECHANGED: a press on a
// cursor line takes hold of that cursor where it is, a press elsewhere in the plot
// area moves the nearer cursor there; while the button is held (the mouse captured)
// the cursor moves with the pointer, up to the ends of the trace.
void HandleCursorMouse(HWND window, UINT message, LPARAM lParam);

// WM_KEYDOWN: Left, Right (with Shift by 64), Home, End and Tab while the
// cursors are shown. False for any other key, or with the cursors hidden.
bool HandleCursorKey(HWND window, WPARAM key);

// WM_SETCURSOR: the west-east arrow over a cursor line. False elsewhere.
bool SetCursorPointer(HWND window, LPARAM lParam);

}  // namespace vexal
