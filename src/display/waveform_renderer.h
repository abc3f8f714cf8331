// The oscilloscope picture of the screen and the metafile: frame, plot area,
// graticule, traces and labels, drawn through a Canvas.
#pragma once

#include <string>

#include "display/canvas.h"
#include "display/picture.h"
#include "display/plot_geometry.h"

namespace vexal {

struct PictureSize {
  int width = 0;
  int height = 0;
  int charWidth = 0;   // horizontal dialog base unit, a text offset
  int charHeight = 0;  // vertical dialog base unit
};

// The graticule of both pictures, in the pen the caller selected: 50 steps
// across and 40 up, every 5th a full line, the others ticks reaching
// tickHalfLength to either side of the centre line. The screen draws steps 0 to
// 50 and 0 to 40 (edgeSteps 0); the printed page leaves out the edges, which
// are its inner frame (edgeSteps 1).
void DrawGraticuleLines(Canvas& canvas, const PlotArea& area, int edgeSteps, int tickHalfLength);

// A trace in the pen the caller selected: MoveTo the first sample at the left
// edge, then one LineTo per further sample, 2047 segments.
void DrawTracePath(Canvas& canvas, const PlotArea& area, const ChannelSamples& samples);

// The wsprintf format of a channel's scale label, "CH1: %d mV / DIV" with the number's
// directive given: channel 0 or 1, unit code 0 (kV) to 3 (µV); "" for anything else.
std::string LabelFormat(int channel, int unitCode, const char* number);
// On screen and in the metafile: a field width of one for kV, of three for the others.
std::string ScreenLabelFormat(int channel, int unitCode);

// The picture; the cursor layer last, and nothing of it while the cursors are hidden.
void RenderWaveformPicture(Canvas& canvas, const PictureSize& size, const Picture& picture);

}  // namespace vexal
