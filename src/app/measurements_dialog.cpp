#include "app/measurements_dialog.h"

#include "display/display_settings.h"
#include "display/measurement_table.h"
#include "display/waveform_store.h"
#include "output/clipboard.h"
#include "resource.h"

namespace vexal {
namespace {

// The table's fields in order, the scale line first, each into the next control.
void ShowTable(HWND dialog, const std::string& table) {
  int id = IDC_MEASURE_SCALE;
  std::size_t start = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] != '\t' && table[i] != '\r') continue;
    SetDlgItemTextA(dialog, id++, table.substr(start, i - start).c_str());
    start = i + (table[i] == '\r' ? 2 : 1);  // past TAB, or CR LF
  }
}

INT_PTR CALLBACK MeasurementsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The table lives in ShowMeasurementsDialog while the dialog is open.
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      ShowTable(dialog, *reinterpret_cast<const std::string*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_MEASURE_COPY: {
          const auto* table =
              reinterpret_cast<const std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
          CopyTextToClipboard(dialog, *table);
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
  const std::string table = MeasurementTable(TheWaveformStore().Snapshot(), TheScaleLabels(),
                                             TheDisplaySettings().timebase);
  DialogBoxParamA(instance, "VEXALMESSUNGEN", owner, MeasurementsDialogProc,
                  reinterpret_cast<LPARAM>(&table));
}

}  // namespace vexal
