#include "display/measurements.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace vexal {
namespace {

constexpr int kLowestSample = 0;
constexpr int kHighestSample = 255;
constexpr double kLeastHysteresis = 2;
constexpr double kHysteresisShare = 10;  // of the swing

struct Crossings {
  int count = 0;
  double first = 0;  // in samples
  double last = 0;
};

Crossings RisingCrossings(const ChannelSamples& s, int lowest, int highest) {
  const double mid = (highest + lowest) / 2.0;
  const double h = std::max(kLeastHysteresis, (highest - lowest) / kHysteresisShare);
  enum { kUnknown, kLow, kHigh } state = kUnknown;
  std::size_t lastBelow = 0;
  Crossings crossings;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] < mid) lastBelow = i;
    if (s[i] <= mid - h) {
      state = kLow;
    } else if (s[i] >= mid + h) {
      // Low before means a sample below mid before, and every sample after the last
      // of them is at or above mid: the line between the two reaches mid.
      if (state == kLow) {
        const double from = s[lastBelow], to = s[lastBelow + 1];
        const double at = static_cast<double>(lastBelow) + (mid - from) / (to - from);
        if (crossings.count == 0) crossings.first = at;
        crossings.last = at;
        ++crossings.count;
      }
      state = kHigh;
    }
  }
  return crossings;
}

}  // namespace

ChannelMeasurements MeasureChannel(const ChannelSamples& samples, double voltsPerCount,
                                   double secondsPerSample) {
  const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  long long sum = 0, squares = 0;
  for (const int s : samples) {
    sum += s - kCentreSample;
    squares += (s - kCentreSample) * (s - kCentreSample);
  }
  const double n = static_cast<double>(samples.size());
  ChannelMeasurements m;
  m.maximum = (*high - kCentreSample) * voltsPerCount;
  m.minimum = (*low - kCentreSample) * voltsPerCount;
  m.mean = static_cast<double>(sum) / n * voltsPerCount;
  m.rms = std::sqrt(static_cast<double>(squares) / n) * voltsPerCount;
  m.clippedHigh = *high == kHighestSample;
  m.clippedLow = *low == kLowestSample;
  const Crossings crossings = RisingCrossings(samples, *low, *high);
  // With h >= 2 a crossing needs a swing of 4 counts at least: no other check is needed.
  if (crossings.count >= 2) {
    m.period = (crossings.last - crossings.first) / (crossings.count - 1) * secondsPerSample;
  }
  return m;
}

}  // namespace vexal
