// The read-outs at the top left of the plot area: the cursors' and the spectrum's peaks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/canvas.h"
#include "display/plot_geometry.h"

namespace vexal {

struct ReadoutText {
  Colour colour;
  std::vector<std::string> forms;  // longest first
};

// Writes the lines down from the plot area's top, `inset` in from its left edge, in the
// alignment and background the caller set: each in the longest form that stays inside the
// plot area (none where none does), and no line below labelTop, where the scale labels
// begin. The first row also keeps clear of `besideFirst`, which the picture writes
// right-aligned `inset` in from the right edge on it (the reference's name): a line none
// of whose forms fits beside it begins the read-out on the row below. The texts hold no
// format directive: they are written as they are.
void WriteReadout(Canvas& canvas, const PlotArea& area, int labelTop, int lineHeight, int inset,
                  const std::vector<ReadoutText>& lines, std::string_view besideFirst);

}  // namespace vexal
