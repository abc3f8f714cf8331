#include "app/measurements_dialog.h"

#include "display/wide_text.h"
#include "output/clipboard.h"
#include "resource.h"
#include "scope/cursor_readout.h"
#include "scope/measurement_table.h"

namespace vexal {
namespace {

// The height of the cursors' rows in the template, in dialog units.
constexpr int kCursorRowsHeight = 66;

// What the dialog shows and "Kopieren" copies; cursors empty while they are hidden.
struct Tables {
  std::string measurements;
  std::string cursors;
};

// A table's fields in order, each into the next control from `id` on.
void ShowTable(HWND dialog, const std::string& table, int id) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] != '\t' && table[i] != '\r') continue;
    SetDlgItemTextW(dialog, id++,
                    FromWindows1252(std::string_view(table).substr(start, i - start)).c_str());
    start = i + (table[i] == '\r' ? 2 : 1);  // past TAB, or CR LF
  }
}

// Without cursors their rows go, and the buttons and the dialog's bottom come up.
void LeaveOutCursorRows(HWND dialog) {
  RECT rows = {0, 0, 0, kCursorRowsHeight};
  MapDialogRect(dialog, &rows);
  for (int id = IDC_CURSOR_CELL; id <= IDC_CURSOR_LAST; ++id) {
    DestroyWindow(GetDlgItem(dialog, id));
  }
  for (int id : {IDOK, IDC_MEASURE_COPY}) {
    HWND button = GetDlgItem(dialog, id);
    RECT at;
    GetWindowRect(button, &at);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(button, nullptr, at.left, at.top - rows.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top - rows.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK MeasurementsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The tables live in ShowMeasurementsDialog while the dialog is open.
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto* tables = reinterpret_cast<const Tables*>(lParam);
      ShowTable(dialog, tables->measurements, IDC_MEASURE_SCALE);
      if (tables->cursors.empty()) {
        LeaveOutCursorRows(dialog);
      } else {
        ShowTable(dialog, tables->cursors, IDC_CURSOR_CELL);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_MEASURE_COPY: {
          const auto* tables =
              reinterpret_cast<const Tables*>(GetWindowLongPtrW(dialog, DWLP_USER));
          CopyTextToClipboard(dialog, tables->measurements + tables->cursors);
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

void ShowMeasurementsDialog(HINSTANCE instance, HWND owner, const Picture& picture) {
  const WaveformSnapshot& store = picture.traces;
  const ScaleLabels& labels = picture.labels;
  const int timebase = picture.timebaseId;
  const Cursors& cursors = picture.cursors;
  const Tables tables = {MeasurementTable(store, labels, timebase),
                         cursors.shown ? CursorTable(cursors, store, labels, timebase) : ""};
  DialogBoxParamW(instance, L"VEXALMESSUNGEN", owner, MeasurementsDialogProc,
                  reinterpret_cast<LPARAM>(&tables));
}

}  // namespace vexal
