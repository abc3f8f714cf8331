// Executes the renderers' Canvas calls on a device context with GDI, each with
// exactly the objects its Canvas method names.
#pragma once

#include <windows.h>

#include "display/canvas.h"

namespace vexal {

// Works on a device context that is fresh for one picture. Every pen and brush
// it creates is deleted by the Canvas call that deselects it (ReleasePen,
// RestoreEntryBrush); nothing else is restored.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void SelectGrayBrush() override;
  void SelectNewSolidBrush(Colour colour) override;
  void RestoreEntryBrush() override;
  void DrawRectangle(int left, int top, int right, int bottom) override;

  void SelectNewPen(int width, Colour colour) override;
  void ReleasePen() override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;

  void SetTransparentBackground() override;
  void SetTextColour(Colour colour) override;
  void SetTextAlign(TextAlign align) override;
  void WriteText(int x, int y, const char* format, const TextArgs& args) override;
  int TextWidth(const char* text) override;

 private:
  HDC dc_;
  HGDIOBJ entryBrush_ = nullptr;  // the brush the context held before SelectGrayBrush
};

}  // namespace vexal
