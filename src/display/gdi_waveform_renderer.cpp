#include "display/gdi_waveform_renderer.h"

#include "display/gdi_canvas.h"
#include "display/offscreen_buffer.h"

namespace vexal {

void WaveformRenderer(HDC dc, const Picture& picture, const PictureSize& size) {
  GdiCanvas canvas(dc);
  RenderWaveformPicture(canvas, size, picture);
}

void PaintWaveformWindow(HDC dc, const RECT& update, const Picture& picture,
                         const PictureSize& size, HFONT font, OffscreenBuffer& offscreen) {
  HDC memory = offscreen.Get(dc, size.width, size.height);
  HDC target = memory != nullptr ? memory : dc;
  // The context goes back to its state before each picture (a kept one is painted
  // into again), which the renderer expects to find as in a fresh one; the font
  // is deselected with it before it can be deleted.
  const int fresh = SaveDC(target);
  if (font != nullptr) SelectObject(target, font);
  // The window class's background, around the frame.
  FillRect(target, &update, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  WaveformRenderer(target, picture, size);
  RestoreDC(target, fresh);
  if (memory != nullptr) {
    BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top,
           memory, update.left, update.top, SRCCOPY);
  }
}

}  // namespace vexal
