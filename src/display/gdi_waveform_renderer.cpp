#include "display/gdi_waveform_renderer.h"

#include "display/cursors.h"
#include "display/display_settings.h"
#include "display/gdi_canvas.h"
#include "display/waveform_renderer.h"
#include "display/waveform_store.h"

namespace vexal {

void WaveformRenderer(HDC dc, int width, int height, int charWidth, int charHeight) {
  // One consistent copy: a read-out may be committing a channel meanwhile.
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  GdiCanvas canvas(dc);
  RenderWaveformPicture(canvas, {width, height, charWidth, charHeight}, store, TheScaleLabels(),
                        TheDisplaySettings().timebase, TheCursors());
}

void PaintWaveformWindow(HDC dc, const RECT& update, int width, int height, int charWidth,
                         int charHeight) {
  // The window class's background, around the frame.
  const auto background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  const int updateWidth = update.right - update.left, updateHeight = update.bottom - update.top;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap =
      memory != nullptr ? CreateCompatibleBitmap(dc, updateWidth, updateHeight) : nullptr;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // The bitmap holds the update rectangle only: logical (left, top) is its first pixel.
    SetViewportOrgEx(memory, -update.left, -update.top, nullptr);
    FillRect(memory, &update, background);
    WaveformRenderer(memory, width, height, charWidth, charHeight);
    BitBlt(dc, update.left, update.top, updateWidth, updateHeight, memory, update.left, update.top,
           SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  } else {
    FillRect(dc, &update, background);
    WaveformRenderer(dc, width, height, charWidth, charHeight);
  }
  if (memory != nullptr) DeleteDC(memory);
}

}  // namespace vexal
