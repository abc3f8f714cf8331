// Automatic measurements of one channel's 2048 samples: how large, how fast.
#pragma once

#include <optional>

#include "display/waveform_store.h"

namespace vexal {

// Levels in counts c = s - 128 times voltsPerCount; times in samples times
// secondsPerSample.
struct ChannelMeasurements {
  double maximum = 0;
  double minimum = 0;
  double mean = 0;
  double rms = 0;  // true RMS, DC included
  // The mean distance between rising crossings; none with fewer than two
  // crossings, or with a swing under 4 counts.
  std::optional<double> period;
  // A sample at the end of the range: the true peak may lie beyond.
  bool clippedHigh = false;  // a sample is 255
  bool clippedLow = false;   // a sample is 0
};

// A rising crossing goes from "low" (a sample <= mid - h) to "high" (>= mid + h),
// mid = (max + min) / 2, h = max(2, (max - min) / 10): noise smaller than h makes
// none. It lies where the line from the last sample below mid to the next one
// reaches mid.
ChannelMeasurements MeasureChannel(const ChannelSamples& samples, double voltsPerCount,
                                   double secondsPerSample);

}  // namespace vexal
