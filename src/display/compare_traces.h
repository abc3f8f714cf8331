// The traces that compare and combine: the reference's channels under the live traces,
// the math trace over them, and the X-Y view, as the screen picture and the printed page
// draw them.
#pragma once

#include <array>

#include "display/canvas.h"
#include "display/picture.h"
#include "display/plot_geometry.h"

namespace vexal {

struct CompareStyle {
  std::array<Colour, 2> reference;  // each channel's reference
  Colour math;
  int penWidth;
  int dash;  // samples drawn, then as many left out, of the reference's line; 0: solid
};

// The y of a level in counts from the centre line (beyond the plot: at its edge).
int CountsY(const PlotArea& area, double counts);

// The time view: the reference's channels with data, each sample at its time and level in
// the current scales, as far as the plot reaches.
void DrawReferenceTraces(Canvas& canvas, const PlotArea& area, const CompareStyle& style,
                         const Picture& picture);
// The time view: the math trace, drawn exactly, then clipped at the plot's edges.
void DrawMathTrace(Canvas& canvas, const PlotArea& area, const CompareStyle& style,
                   const Picture& picture);
// The X-Y view: the reference's points (where it has both channels), then the live ones,
// joined in sample order, in channel 2's colour and pen.
void DrawXyTraces(Canvas& canvas, const PlotArea& area, const CompareStyle& style, Colour live,
                  int livePen, const Picture& picture);

}  // namespace vexal
