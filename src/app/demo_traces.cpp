#include "app/demo_traces.h"

#include <cmath>

namespace vexal {
namespace {

// Level of v in [-1, 1]: cos 0 = 1 would give 256, hence the upper limit; the
// lower end never goes below 0. Truncated, never rounded.
std::uint8_t Level(double v) {
  double w = (v + 1.0) * 128.0;
  if (w > 255.0) w = 255.0;
  return static_cast<std::uint8_t>(w);
}

}  // namespace

WaveformSnapshot DemonstrationTraces() {
  WaveformSnapshot traces;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    const double x = (i / 1024.0) * 6.28;
    traces.samples[0][static_cast<std::size_t>(i)] = Level(std::sin(x));
    traces.samples[1][static_cast<std::size_t>(i)] = Level(std::cos(x));
  }
  traces.hasData = {1, 1};
  return traces;
}

}  // namespace vexal
