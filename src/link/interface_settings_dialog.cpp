#include "link/interface_settings_dialog.h"

#include "link/port_name.h"
#include "resource.h"

namespace vexal {

namespace {

// The dialog's working selection; only OK commits it to PortNumber/PortName.
// Used on the window thread only.
int PortChoice = kDefaultPortNumber;

// The radio buttons are plain BS_RADIOBUTTON: the procedure marks them itself.
void MarkPortChoice(HWND dialog) {
  CheckRadioButton(dialog, IDC_PORT_COM1, IDC_PORT_COM8, IDC_PORT_GROUP + PortChoice);
}

INT_PTR CALLBACK InterfaceSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      PortChoice = PortNumber();
      MarkPortChoice(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        CommitPortNumber(PortChoice);
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      if (id >= IDC_PORT_COM1 && id <= IDC_PORT_COM8) {
        PortChoice = id - IDC_PORT_GROUP;
        MarkPortChoice(dialog);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowInterfaceSettingsDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, "Vexal", owner, InterfaceSettingsDialogProc, 0);
}

}  // namespace vexal
