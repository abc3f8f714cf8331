#include "link/interface_settings_dialog.h"

#include <algorithm>

#include "link/port_name.h"
#include "link/present_serial_ports.h"
#include "resource.h"

namespace vexal {

namespace {

// The dialog's working selection; only OK commits it to PortNumber/PortName.
// Used on the window thread only.
int PortChoice = kDefaultPortNumber;

// Shows PortChoice: marks its radio button and selects its list item, where
// it has them. The radio buttons are plain BS_RADIOBUTTON: the procedure marks
// them itself, and for a port above COM8 none.
void ShowPortChoice(HWND dialog) {
  for (int id = IDC_PORT_COM1; id <= IDC_PORT_COM8; ++id)
    CheckDlgButton(dialog, id, id == IDC_PORT_GROUP + PortChoice ? BST_CHECKED : BST_UNCHECKED);
  const HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  WPARAM found = static_cast<WPARAM>(-1);
  for (LRESULT index = 0; index < count; ++index) {
    if (SendMessageW(list, CB_GETITEMDATA, index, 0) == PortChoice) found = index;
  }
  SendMessageW(list, CB_SETCURSEL, found, 0);
}

// The ports present now, in the order of their numbers (CB_ADDSTRING appends:
// the list is not CBS_SORT), after the chosen port if it is absent. The
// drop-down opens as wide as its longest item, since device names are longer
// than the dialog is wide.
void FillPortList(HWND dialog) {
  const HWND list = GetDlgItem(dialog, IDC_PORT_LIST);
  const HDC dc = GetDC(list);
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  LONG widest = 0;
  try {
    PortList ports;
    ReadPresentSerialPorts(ports);
    for (const auto& [number, text] : ports.Items(PortChoice)) {
      const LRESULT index =
          SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (index < 0) break;
      SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), number);
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      widest = std::max(widest, extent.cx);
    }
  } catch (...) {
    // Out of memory: the list shows the ports it has so far.
  }
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  ReleaseDC(list, dc);
  const int frame = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
  SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + frame), 0);
  // With no item the list is empty and greyed; the radio buttons still work.
  EnableWindow(list, SendMessageW(list, CB_GETCOUNT, 0, 0) > 0);
}

INT_PTR CALLBACK InterfaceSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      PortChoice = PortNumber();
      FillPortList(dialog);
      ShowPortChoice(dialog);
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
      } else if (id == IDC_PORT_LIST && HIWORD(wParam) == CBN_SELCHANGE) {
        const HWND list = reinterpret_cast<HWND>(lParam);
        const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
          PortChoice = static_cast<int>(SendMessageW(list, CB_GETITEMDATA, index, 0));
      } else {
        return FALSE;
      }
      ShowPortChoice(dialog);  // the dialog stays open
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowInterfaceSettingsDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, L"Vexal", owner, InterfaceSettingsDialogProc, 0);
}

}  // namespace vexal
