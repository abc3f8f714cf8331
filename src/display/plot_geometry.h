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

// The screen's and the metafile's plot area: 40 in from every side of the picture.
PlotArea ScreenPlotArea(int width, int height);

// The picture size comes from the window or a fixed 800 x 600, but any int must
// stay free of overflow: geometry is done wide and saturated back into int.
int Saturate(long long v);
// Truncates toward zero; out-of-range doubles would make the conversion undefined.
int Saturate(double v);
int Offset(int v, long long delta);

// Whether (x, y) lies in the plot area, its edges included.
bool InPlotArea(const PlotArea& area, int x, int y);
// The sample under x: round((x - left) * 2048 / width), clamped to 0 to 2047.
int SampleAtX(const PlotArea& area, int x);
// The cursor whose line lies within `reach` pixels of x while y is inside the
// plot area (the active one first), or kNoCursor.
int CursorLineAt(const Cursors& cursors, const PlotArea& area, int x, int y, int reach);

}  // namespace vexal
