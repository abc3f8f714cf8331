#include "app/info_dialog.h"

namespace vexal {

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;  // the system focuses the first tab stop, the OK button
    case WM_COMMAND:
      // OK, Esc and the close box all arrive here and all end the dialog.
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace vexal
