// The oscilloscope picture drawn with GDI: the main window's paint and the
// exported pictures both call this.
#pragma once

#include <windows.h>

#include "display/picture.h"
#include "display/waveform_renderer.h"

namespace vexal {

class OffscreenBuffer;

// Draws the picture: frame, graticule, the traces of the channels with data and
// their labels, in the context's font. The context must be in its default state
// and is left holding the renderer's last objects and text settings.
void WaveformRenderer(HDC dc, const Picture& picture, const PictureSize& size);

// The main window's paint of the update rectangle: the window's background and
// the picture are drawn into the kept bitmap of the client size and copied at
// once, so that no half-drawn picture is ever seen (a resize or a moving cursor
// would flicker); without memory for the bitmap, straight onto `dc`. The labels
// are written in `font`, or in the context's own for nullptr.
void PaintWaveformWindow(HDC dc, const RECT& update, const Picture& picture,
                         const PictureSize& size, HFONT font, OffscreenBuffer& offscreen);

}  // namespace vexal
