// The oscilloscope picture drawn with GDI: the main window's paint and the
// metafile export both call this.
#pragma once

#include <windows.h>

#include "display/picture.h"

namespace vexal {

class OffscreenBuffer;

// Draws the picture: frame, graticule, the traces of the channels with data and
// their labels, scaled to width x height. The context must be in its default
// state and is left holding the renderer's last objects and text settings.
void WaveformRenderer(HDC dc, const Picture& picture, int width, int height, int charWidth,
                      int charHeight);

// The main window's paint of the update rectangle. With an off-screen buffer
// (while the cursors are shown) the window's background and the picture are
// drawn into its bitmap of the client size and copied at once, so that no
// half-drawn picture is ever seen (a moving cursor would flicker); without one,
// or without memory for it, straight onto `dc`.
void PaintWaveformWindow(HDC dc, const RECT& update, const Picture& picture, int width, int height,
                         int charWidth, int charHeight, OffscreenBuffer* offscreen);

}  // namespace vexal
