// "Messungen...": the measurements of the channels with data, by the current labels
// and timebase, in a modal dialog owned by the main window; while the cursors are
// shown, what they read below.
#pragma once

#include <windows.h>

namespace vexal {

void ShowMeasurementsDialog(HINSTANCE instance, HWND owner);

}  // namespace vexal
