// Where the picture puts things: the plot area, the graticule's and the traces'
// positions in it, and, for the mouse, which sample lies under a pointer and
// which cursor line is within its reach. The renderers and the mouse handling
// share these, so that what is drawn and what is picked agree.
#pragma once

#include "scope/cursors.h"

namespace vexal {

struct PlotArea {
  int left, top, right, bottom;
};

// Positions with a fraction: quotient first, then product, then sum, in double
// precision, truncated toward zero. The order changes some results by one unit.
int GraticuleX(const PlotArea& area, int i);   // i = 0..50
int GraticuleY(const PlotArea& area, int j);   // j = 0..40
int TraceX(const PlotArea& area, int i);       // i = 0..2047
int TraceY(const PlotArea& area, int sample);  // sample = 0..255

// The X-Y view: channel 1 across, channel 2 up, each by its own volts per division, 0 V at
// the graticule's centre, a count 1/32 of a division either way. x = left + width x ((s1 -
// 128 + 160) / 320) as TraceX computes, y = TraceY(s2).
struct PlotPoint {
  int x, y;
};
PlotPoint XYPoint(const PlotArea& area, int s1, int s2);
// The same of counts from the centre line with a fraction (a reference's, by its own
// scales, in counts of the current ones), clipped to the plot area.
PlotPoint XYCountsPoint(const PlotArea& area, double counts1, double counts2);

// A length of the screen picture at 96 dots per inch (not below 0) at `dpi`, as
// MulDiv(value, dpi, 96) rounds it: halves up. At 96 every length is what it always was.
int ScaleToDpi(int value, int dpi);

// The screen's and the metafile's frame, 20 in from every side of the picture at 96 dpi,
// and the plot area, 40 in.
int ScreenFrameInset(int dpi);
PlotArea ScreenPlotArea(int width, int height, int dpi);

// The picture size comes from the window or a fixed 800 x 600, but any int must
// stay free of overflow: geometry is done wide and saturated back into int.
int Saturate(long long v);
// Truncates toward zero; out-of-range doubles would make the conversion undefined.
int Saturate(double v);
int Offset(int v, long long delta);

// Whether (x, y) lies in the plot area, its edges included.
bool InPlotArea(const PlotArea& area, int x, int y);
// The sample the pointer takes at x, drawn at x: where a plot narrower than 2048
// pixels draws several samples at one x, the first of them; where one wider than
// 2048 draws none, the nearer neighbour (the left one at equal distances). 0 left
// of the plot area, 2047 right of it.
int SampleAtX(const PlotArea& area, int x);
// The cursor whose line lies within `reach` pixels of x while y is inside the
// plot area (the active one first), or kNoCursor.
int CursorLineAt(const Cursors& cursors, const PlotArea& area, int x, int y, int reach);

}  // namespace vexal
