// The oscilloscope picture drawn with GDI: the main window's paint and the
// metafile export both call this.
#pragma once

#include <windows.h>

namespace vexal {

// Draws frame, graticule, the traces of the channels with data and the current
// labels, scaled to width x height. The context must be in its default
// state and is left holding the renderer's last objects and text settings.
void WaveformRenderer(HDC dc, int width, int height, int charWidth, int charHeight);

// The main window's paint of the update rectangle: the window's background and
// the picture drawn into a bitmap, then copied at once, so that no half-drawn
// picture is ever seen (a moving cursor would flicker). Straight onto `dc`
// when there is no memory for the bitmap.
void PaintWaveformWindow(HDC dc, const RECT& update, int width, int height, int charWidth,
                         int charHeight);

}  // namespace vexal
