#include "display/gdi_waveform_renderer.h"

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
                        TheDisplaySettings().timebase);
}

}  // namespace vexal
