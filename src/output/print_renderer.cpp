#include "output/print_renderer.h"

#include "app/message_boxes.h"
#include "display/display_settings.h"
#include "display/gdi_canvas.h"
#include "display/waveform_store.h"
#include "output/common_dialogs.h"
#include "output/print_layout.h"
#include "output/time_stamp.h"

namespace vexal {

namespace {

constexpr DWORD kPrintDialogFlags = PD_RETURNDC | PD_COLLATE | PD_NOSELECTION;  // 0x114
static_assert(kPrintDialogFlags == 0x114);

PrintPage MeasurePage(HDC printer) {
  PrintPage page;
  page.colour = GetDeviceCaps(printer, BITSPIXEL) > 1;
  page.width = GetDeviceCaps(printer, HORZRES);
  page.height = GetDeviceCaps(printer, VERTRES);
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  page.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  return page;
}

// Builds the one-page job; false when the spooler refused the document, the
// page or the finished job, with the reason in *error.
bool PrintOnePage(HDC printer, const PrintPage& page, const TimeStamp& stamp, DWORD* error) {
  DOCINFOA document{};
  document.cbSize = sizeof(DOCINFOA);
  document.lpszDocName = "Vexal-Interface: Druck";
  if (StartDocA(printer, &document) <= 0) {
    *error = GetLastError();
    return false;
  }
  bool printed = false;
  if (StartPage(printer) > 0) {
    GdiCanvas canvas(printer);
    RenderPrintPage(canvas, page, stamp, TheWaveformStore().Snapshot(), TheScaleLabels(),
                    TheDisplaySettings().timebase);
    EndPage(printer);
    printed = true;
  } else {
    *error = GetLastError();
  }
  // The spooler may only find out at the end that the job cannot go out (an
  // unreachable printer port): that job is lost and must not pass for printed.
  if (EndDoc(printer) <= 0 && printed) {
    *error = GetLastError();
    printed = false;
  }
  return printed;
}

}  // namespace

void PrintRenderer(HWND owner) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof(PRINTDLGA);
  dialog.hwndOwner = owner;
  dialog.Flags = kPrintDialogFlags;
  dialog.nCopies = 1;
  if (!ShowPrintDialog(&dialog)) return;

  // The heading shows the moment the dialog closed.
  SYSTEMTIME now;
  GetLocalTime(&now);
  const TimeStamp stamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};

  HDC printer = dialog.hDC;
  const PrintPage page = printer ? MeasurePage(printer) : PrintPage{};

  // No input reaches the window while the job is built.
  bool printed = false;
  DWORD error = 0;
  EnableWindow(owner, FALSE);
  if (printer) {
    printed = PrintOnePage(printer, page, stamp, &error);
    DeleteDC(printer);
  }
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  EnableWindow(owner, TRUE);

  // Cancelling in the printer driver is the user's choice, not a fault.
  if (!printed && error != ERROR_CANCELLED) {
    ShowErrorBox(owner, "Fehler beim Drucken !");
  }
}

}  // namespace vexal
