// "Einstellungen ...": the modal dialog that chooses the port, COM1 to COM8 by
// its radio buttons, any port present from its list.
#pragma once

#include <windows.h>

namespace vexal {

void ShowInterfaceSettingsDialog(HINSTANCE instance, HWND owner);

}  // namespace vexal
