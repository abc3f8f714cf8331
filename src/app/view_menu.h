// The menu "Ansicht" in the main window: its items greyed where they cannot act, its
// marks on the choices, and its commands, 6080 to 6093.
#pragma once

#include <windows.h>

namespace vexal {

// WM_INITMENUPOPUP: greys the items of "Ansicht" that cannot act now; any other popup
// is left alone.
void PrepareViewMenu(HMENU popup);

// WM_COMMAND: makes the choice of an item of "Ansicht" and repaints; a greyed item's
// command, should one arrive, does nothing. Any other identifier is ignored.
void HandleViewCommand(HWND window, WPARAM wParam);

// Before a paint: a channel that lost its data (a read-out with one channel) takes X-Y
// and the math trace away, and their marks with them.
void ReturnToPossibleView(HWND window);

}  // namespace vexal
