#include "display/gdi_waveform_renderer.h"

#include "display/gdi_canvas.h"
#include "display/offscreen_buffer.h"
#include "display/waveform_renderer.h"

namespace vexal {

void WaveformRenderer(HDC dc, const Picture& picture, int width, int height, int charWidth,
                      int charHeight) {
  GdiCanvas canvas(dc);
  RenderWaveformPicture(canvas, {width, height, charWidth, charHeight}, picture);
}

void PaintWaveformWindow(HDC dc, const RECT& update, const Picture& picture, int width, int height,
                         int charWidth, int charHeight, OffscreenBuffer* offscreen) {
  // The window class's background, around the frame.
  const auto background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  HDC memory = offscreen != nullptr ? offscreen->Get(dc, width, height) : nullptr;
  if (memory == nullptr) {
    FillRect(dc, &update, background);
    WaveformRenderer(dc, picture, width, height, charWidth, charHeight);
    return;
  }
  // The kept context goes back to its state before each picture, which the
  // renderer expects to find as in a fresh one.
  const int fresh = SaveDC(memory);
  FillRect(memory, &update, background);
  WaveformRenderer(memory, picture, width, height, charWidth, charHeight);
  RestoreDC(memory, fresh);
  BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top,
         memory, update.left, update.top, SRCCOPY);
}

}  // namespace vexal
