// The cursors as the screen picture and the printed page show them: a dotted
// line over the whole height of the plot area for each (on the screen the active
// one solid), lettered "A" or "B" just above it, and the read-out at the top left
// of the plot area, each line in the longest form that fits its width.
#pragma once

#include <array>

#include "display/canvas.h"
#include "display/picture.h"
#include "display/plot_geometry.h"

namespace vexal {

struct CursorLayerStyle {
  Colour line;                    // the lines, their letters and the read-out's times
  std::array<Colour, 2> channel;  // the read-out's line of each channel
  Colour math;                    // the math trace's line
  int penWidth;
  int dash;        // the length of each dash and of each gap
  int lineHeight;  // one row of text
  int textInset;   // the read-out's distance from the left edge
};

// Draws nothing at all while the cursors are hidden. The read-out's lines stop
// above labelTop, where the scale labels begin. Leaves the stock pen selected,
// a transparent background and left-top text alignment.
void DrawCursorLayer(Canvas& canvas, const PlotArea& area, int labelTop,
                     const CursorLayerStyle& style, const Picture& picture);

}  // namespace vexal
