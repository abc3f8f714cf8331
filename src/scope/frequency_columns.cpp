#include "scope/frequency_columns.h"

#include <algorithm>

namespace vexal {

int BinColumn(int bin, double spanBins, int width) {
  // Quotient first, then product, in double, as the traces do (a product first would
  // move some bins by one column).
  return static_cast<int>(width * (bin / spanBins));
}

std::vector<SpectrumPoint> SpectrumColumns(const ChannelSpectrum& spectrum, double spanBins,
                                           int width) {
  std::vector<SpectrumPoint> points;
  if (spanBins < 1) return points;
  const int last = static_cast<int>(std::min(spanBins, kSpectrumBins - 1.0));
  for (int k = 0; k <= last; ++k) {
    const int x = BinColumn(k, spanBins, width);
    const double level = spectrum.level[k];
    if (!points.empty() && points.back().x == x) {
      points.back().level = std::max(points.back().level, level);
    } else {
      points.push_back({x, level});
    }
  }
  return points;
}

}  // namespace vexal
