// The WM_COMMAND branch of the main window: one menu command per call.
#pragma once

#include <windows.h>

namespace vexal {

void HandleMenuCommand(HWND window, WPARAM wParam);

}  // namespace vexal
