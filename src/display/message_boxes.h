// The program's message boxes: caption "Vexal", an OK button, owned by the
// given window (nullptr before the main window exists). The texts are
// Windows-1252, shown as such on every system (display/wide_text.h).
#pragma once

#include <windows.h>

namespace vexal {

// A failure, with the error icon. The texts are German and end in " !".
void ShowErrorBox(HWND owner, const char* text);
// An outcome the user should read, with the information icon.
void ShowInformationBox(HWND owner, const char* text);

}  // namespace vexal
