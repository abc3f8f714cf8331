// The spectrum view's plot, as the screen picture and the printed page show it: each
// channel's spectrum through its columns' highest bins, a marker on its peak within the
// span, and the peaks' read-out at the top left of the plot area.
#pragma once

#include <array>

#include "display/canvas.h"
#include "display/picture.h"
#include "display/plot_geometry.h"

namespace vexal {

struct SpectrumStyle {
  std::array<Colour, 2> channel;
  std::array<Colour, 2> reference;  // each channel's reference
  Colour math;
  int penWidth;
  int marker;      // the peak marker's half width
  int lineHeight;  // one row of text
  int textInset;   // the read-out's distance from the left edge
};

// The y of a level on a plot whose top line is `topLine` dBV, 10 dB a division; levels
// beyond the plot (and an empty bin's) at its edges.
int LevelY(const PlotArea& area, int topLine, double level);

// Draws the reference's spectra, then those of the channels with data (channel 2 over
// channel 1) and of the math trace, their peak markers and the read-out, whose lines stop
// above labelTop. Leaves the stock pen
// selected, a transparent background and left-top text alignment.
void DrawSpectrumLayer(Canvas& canvas, const PlotArea& area, int labelTop,
                       const SpectrumStyle& style, const Picture& picture);

}  // namespace vexal
