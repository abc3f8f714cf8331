#include "app/menu_dispatch.h"

#include "app/info_dialog.h"
#include "app/main_window.h"
#include "app/menu_commands.h"
#include "app/window_state.h"
#include "link/acquisition_request.h"
#include "link/acquisition_worker.h"
#include "link/interface_settings_dialog.h"
#include "output/file_export.h"
#include "output/print_renderer.h"

namespace vexal {
namespace {

void StartReadOut(unsigned char command) {
  AcquisitionRequest& request = TheAcquisitionRequest();
  request.command = command;
  request.store = &TheWaveformStore();
  // Returns at once; the window stays usable while the worker runs.
  StartAcquisitionWorker(request);
}

void MoveCheckMarks(HWND window, HMENU menu, const MenuCommand& command) {
  const CheckMarkChange change = ApplySettingsCommand(TheDisplaySettings(), command);
  if (change.uncheckId != 0) {
    CheckMenuItem(menu, static_cast<UINT>(change.uncheckId), MF_BYCOMMAND | MF_UNCHECKED);
  }
  if (change.checkId != 0) {
    CheckMenuItem(menu, static_cast<UINT>(change.checkId), MF_BYCOMMAND | MF_CHECKED);
  }
  // At once, not only at the repaint: a command may come before it.
  UpdateScaleLabels();
  InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

void HandleMenuCommand(HWND window, WPARAM wParam) {
  // Every command names the owner of a read-out's message boxes, whatever it is.
  TheAcquisitionRequest().owner = window;
  HMENU menu = GetMenu(window);
  const MenuCommand* command = FindMenuCommand(LOWORD(wParam));
  if (command == nullptr) return;

  switch (command->action) {
    case MenuAction::kQuit:
      DestroyWindow(window);
      break;
    case MenuAction::kExportText:
      FileExport(window, kExportText, CurrentPicture);
      break;
    case MenuAction::kExportMetafile:
      FileExport(window, kExportMetafile, CurrentPicture);
      break;
    case MenuAction::kPrint:
      PrintRenderer(window, CurrentPicture);
      break;
    case MenuAction::kReadDirect:
      StartReadOut('d');
      break;
    case MenuAction::kReadEeprom:
      StartReadOut('r');
      break;
    case MenuAction::kPortDialog:
      ShowInterfaceSettingsDialog(TheMainWindowState().instance, window);
      break;
    case MenuAction::kAbout:
      DialogBoxParamW(TheMainWindowState().instance, L"VEXALINFO", window, InfoDialogProc, 0);
      break;
    case MenuAction::kSelect:
    case MenuAction::kToggleGain:
      MoveCheckMarks(window, menu, *command);
      break;
  }
}

}  // namespace vexal
