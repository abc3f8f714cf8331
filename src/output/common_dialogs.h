// The save and print dialogs of comdlg32.dll. That DLL brings a good part of the
// shell with it, so it is loaded when a dialog is first asked for rather than at
// start: the window comes up without it.
#pragma once

#include <windows.h>
#include <commdlg.h>

namespace vexal {

// As GetSaveFileNameW, GetOpenFileNameW and PrintDlgW: FALSE when the user cancelled
// or the dialog could not be shown (also when comdlg32.dll cannot be loaded). The
// file name is UTF-16, so a folder in any script can be chosen.
BOOL ShowSaveDialog(OPENFILENAMEW* dialog);
BOOL ShowOpenDialog(OPENFILENAMEW* dialog);
BOOL ShowPrintDialog(PRINTDLGW* dialog);

// The filter of the dialogs that save or open a text export.
inline constexpr wchar_t kTextFileFilter[] =
    L"Textdateien (*.txt)\0*.txt\0Alle Dateien (*.*)\0*.*\0";

}  // namespace vexal
