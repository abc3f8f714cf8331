// The spectrum's line across a plot of any width: through each pixel column's highest
// bin, so that a narrow peak shows even in a plot narrower than the span.
#pragma once

#include <vector>

#include "scope/frequency_levels.h"

namespace vexal {

struct SpectrumPoint {
  int x;         // from the plot's left edge
  double level;  // dBV; kNoLevel when each bin of the column is empty
};

// Bins 0 to `spanBins` (at most 1024) of a plot `width` pixels wide, bin k at
// x = trunc(width x (k / spanBins)) as the traces place their samples: one point per
// column that a bin falls in, left to right, with that column's highest level. A column
// of empty bins gives kNoLevel, below the bottom line. None for a span below 1 bin.
// The column of bin k from the plot's left edge: trunc(width x (k / spanBins)). The span
// may have a fraction: a spectrum of another bin width, across the same frequencies.
int BinColumn(int bin, double spanBins, int width);

std::vector<SpectrumPoint> SpectrumColumns(const ChannelSpectrum& spectrum, double spanBins,
                                           int width);

}  // namespace vexal
