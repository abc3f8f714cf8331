// "Einstellungen ...": the modal dialog that chooses COM1 to COM8.
#pragma once

#include <windows.h>

namespace vexal {

void ShowInterfaceSettingsDialog(HINSTANCE instance, HWND owner);

}  // namespace vexal
