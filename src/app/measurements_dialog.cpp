#include "app/measurements_dialog.h"

#include "display/display_settings.h"
#include "display/measurement_table.h"
#include "display/waveform_store.h"
#include "output/clipboard.h"
#include "resource.h"

namespace vexal {
namespace {

void ShowTable(HWND dialog, const MeasurementTable& table) {
  SetDlgItemTextA(dialog, IDC_MEASURE_SCALE, table.scale.c_str());
  int id = IDC_MEASURE_CELL;
  for (const auto& row : table.cells) {
    for (const std::string& cell : row) SetDlgItemTextA(dialog, id++, cell.c_str());
  }
}

INT_PTR CALLBACK MeasurementsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The table lives in ShowMeasurementsDialog while the dialog is open.
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      ShowTable(dialog, *reinterpret_cast<const MeasurementTable*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_MEASURE_COPY: {
          const auto* table =
              reinterpret_cast<const MeasurementTable*>(GetWindowLongPtrA(dialog, DWLP_USER));
          CopyTextToClipboard(dialog, TabSeparatedTable(*table));
          return TRUE;
        }
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowMeasurementsDialog(HINSTANCE instance, HWND owner) {
  const MeasurementTable table = BuildMeasurementTable(
      TheWaveformStore().Snapshot(), TheScaleLabels(), TheDisplaySettings().timebase);
  DialogBoxParamA(instance, "VEXALMESSUNGEN", owner, MeasurementsDialogProc,
                  reinterpret_cast<LPARAM>(&table));
}

}  // namespace vexal
