#include "output/print_renderer.h"

#include "display/gdi_canvas.h"
#include "display/message_boxes.h"
#include "display/wide_text.h"
#include "output/common_dialogs.h"
#include "output/heading_fit.h"
#include "output/print_layout.h"
#include "output/text_export.h"
#include "output/time_stamp.h"

namespace vexal {

namespace {

constexpr DWORD kPrintDialogFlags = PD_RETURNDC | PD_COLLATE | PD_NOSELECTION;  // 0x114
static_assert(kPrintDialogFlags == 0x114);

// The page's font: a TrueType face fitted to the heading (FitHeading). A
// printer context's own initial font depends on the driver (Wine's PostScript
// driver: about 17 pt, which pushes the heading past both edges of an A4
// page). Selected while the object lives; deselected and deleted with it,
// before the context goes.
class PageFont {
 public:
  PageFont(HDC printer, const std::string& heading) : printer_(printer) {
    fit_ = FitHeading(heading, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, LOGPIXELSY),
                      [this](int height, std::string_view text) {
                        Select(height);
                        // Measured as it is written: in UTF-16 (GdiCanvas).
                        const std::wstring wide = FromWindows1252(text);
                        SIZE extent{};
                        GetTextExtentPoint32W(printer_, wide.c_str(), static_cast<int>(wide.size()),
                                              &extent);
                        return static_cast<int>(extent.cx);
                      });
    Select(fit_.height);
  }
  ~PageFont() { Select(0); }
  PageFont(const PageFont&) = delete;
  PageFont& operator=(const PageFont&) = delete;

  // How many characters of the heading fit the page.
  std::size_t HeadingLength() const { return fit_.length; }

  // Selects the font again: a driver may start a page with the context's defaults.
  void Reselect() const {
    if (font_ != nullptr) SelectObject(printer_, font_);
  }

 private:
  // Replaces the selected font by one of this height (0: none, the original back).
  void Select(int height) {
    if (height == height_ && font_ != nullptr) return;
    HFONT font = height > 0 ? CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                          ANSI_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                                          DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial")
                            : nullptr;
    HGDIOBJ previous = SelectObject(printer_, font != nullptr ? font : original_);
    if (original_ == nullptr) original_ = previous;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    height_ = height;
  }

  HDC printer_;
  HGDIOBJ original_ = nullptr;  // the context's initial font
  HFONT font_ = nullptr;
  int height_ = 0;
  HeadingFit fit_;
};

PrintPage MeasurePage(HDC printer) {
  PrintPage page;
  page.colour = GetDeviceCaps(printer, BITSPIXEL) > 1;
  page.width = GetDeviceCaps(printer, HORZRES);
  page.height = GetDeviceCaps(printer, VERTRES);
  TEXTMETRICW metrics{};
  GetTextMetricsW(printer, &metrics);
  page.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  return page;
}

// Builds the job, one page for each copy; false when the spooler refused the
// document, a page or the finished job, with the reason in *error.
bool PrintCopies(HDC printer, const PageFont& font, const PrintPage& page, const TimeStamp& stamp,
                 const Picture& picture, int copies, DWORD* error) {
  DOCINFOW document{};
  document.cbSize = sizeof(DOCINFOW);
  document.lpszDocName = L"Vexal-Interface: Druck";
  if (StartDocW(printer, &document) <= 0) {
    *error = GetLastError();
    return false;
  }
  bool printed = true;
  for (int copy = 0; printed && copy < copies; ++copy) {
    printed = StartPage(printer) > 0;
    if (printed) {
      font.Reselect();
      GdiCanvas canvas(printer);
      RenderPrintPage(canvas, page, stamp, picture);
      // A page the driver rejects is not printed.
      printed = EndPage(printer) > 0;
    }
  }
  if (!printed) *error = GetLastError();
  // The spooler may only find out at the end that the job cannot go out (an
  // unreachable printer port): that job is lost and must not pass for printed.
  if (EndDoc(printer) <= 0 && printed) {
    *error = GetLastError();
    printed = false;
  }
  return printed;
}

}  // namespace

void PrintRenderer(HWND owner, PictureSource source) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof(PRINTDLGW);
  dialog.hwndOwner = owner;
  dialog.Flags = kPrintDialogFlags;
  dialog.nCopies = 1;
  if (!ShowPrintDialog(&dialog)) return;

  // The heading shows the moment the dialog closed.
  SYSTEMTIME now;
  GetLocalTime(&now);
  const TimeStamp stamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};

  HDC printer = dialog.hDC;
  // Without PD_USEDEVMODECOPIESANDCOLLATE the copies asked for are the
  // program's to make (nCopies), and the dialog makes the printer context with
  // a DEVMODE of one copy, so the driver does not multiply them again. Each
  // copy is one page: collated or not, the pages come out the same.
  const int copies = dialog.nCopies > 0 ? dialog.nCopies : 1;

  // No input reaches the window while the job is built.
  bool printed = false;
  DWORD error = 0;
  EnableWindow(owner, FALSE);
  if (printer) {
    {
      const PageFont font(printer, DatedHeading(stamp));
      // The line height and every position derived from it follow the page's font.
      PrintPage page = MeasurePage(printer);
      page.headingLength = font.HeadingLength();
      // Every copy shows the same picture.
      printed = PrintCopies(printer, font, page, stamp, source(), copies, &error);
    }
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
