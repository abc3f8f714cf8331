// "Messungen...": the measurements of the picture's channels with data, by its labels
// and timebase, in a modal dialog owned by the main window; while the cursors are
// shown, what they read below.
#pragma once

#include <windows.h>

#include "display/picture.h"

namespace vexal {

void ShowMeasurementsDialog(HINSTANCE instance, HWND owner, const Picture& picture);

}  // namespace vexal
