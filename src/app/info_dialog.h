// "Info über...": the About dialog, template "VEXALINFO".
#pragma once

#include <windows.h>

namespace vexal {

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vexal
