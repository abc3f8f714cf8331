#include "display/gdi_canvas.h"

#include "display/wide_text.h"

namespace vexal {

void GdiCanvas::SelectGrayBrush() {
  entryBrush_ = SelectObject(dc_, GetStockObject(GRAY_BRUSH));
}

void GdiCanvas::SelectNewSolidBrush(Colour colour) {
  const LOGBRUSH brush = {BS_SOLID, colour, 0};
  SelectObject(dc_, CreateBrushIndirect(&brush));
}

void GdiCanvas::RestoreEntryBrush() {
  // The selection hands back the brush made by SelectNewSolidBrush.
  DeleteObject(SelectObject(dc_, entryBrush_));
}

void GdiCanvas::DrawRectangle(int left, int top, int right, int bottom) {
  Rectangle(dc_, left, top, right, bottom);
}

void GdiCanvas::SelectNewPen(int width, Colour colour) {
  SelectObject(dc_, CreatePen(PS_SOLID, width, colour));
}

void GdiCanvas::ReleasePen() {
  // The selection hands back the pen made by SelectNewPen; a second release in a row
  // gets the stock pen back, which stays (and is selected: Windows would refuse).
  const HGDIOBJ stock = GetStockObject(BLACK_PEN);
  const HGDIOBJ made = SelectObject(dc_, stock);
  if (made != stock) DeleteObject(made);
}

void GdiCanvas::MoveTo(int x, int y) {
  MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
  ::LineTo(dc_, x, y);
}

void GdiCanvas::SetTransparentBackground() {
  SetBkMode(dc_, TRANSPARENT);
}

void GdiCanvas::SetTextColour(Colour colour) {
  SetTextColor(dc_, colour);
}

void GdiCanvas::SetTextAlign(TextAlign align) {
  ::SetTextAlign(dc_, static_cast<UINT>(align));
}

void GdiCanvas::WriteText(int x, int y, const char* format, const TextArgs& args) {
  if (format == nullptr) return;
  // The format is converted before the numbers go in: the directives are
  // ASCII, and no byte of the 1252 text is read by another code page.
  const std::wstring wide = FromWindows1252(format);
  if (args.count == 0) {
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    return;
  }
  // wsprintfW writes at most 1024 characters and the terminator.
  wchar_t text[1025];
  const int* v = args.values;
  wsprintfW(text, wide.c_str(), v[0], v[1], v[2], v[3], v[4]);
  TextOutW(dc_, x, y, text, lstrlenW(text));
}

int GdiCanvas::TextWidth(const char* text) {
  // Measured as it is written: in UTF-16.
  const std::wstring wide = FromWindows1252(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return static_cast<int>(extent.cx);
}

}  // namespace vexal
