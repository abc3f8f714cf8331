// Automatic measurements of one channel's 2048 samples: how large, how fast.
#pragma once

#include <optional>

#include "scope/number_text.h"
#include "scope/sample_scale.h"
#include "scope/waveform_store.h"

namespace vexal {

// Levels are counts c = s - 128 times q, times are samples times dt, all exact but
// an RMS that is irrational.
struct ChannelMeasurements {
  ExactNumber maximum;
  ExactNumber minimum;
  ExactNumber peakToPeak;
  ExactNumber mean;
  // True RMS, DC included; exact where it is rational (a whole square root).
  double rms = 0;
  std::optional<ExactNumber> exactRms;
  // The mean distance between rising crossings, and its inverse; none with fewer
  // than two crossings, or with a swing under 4 counts.
  std::optional<ExactNumber> period;
  std::optional<ExactNumber> frequency;
  // A sample at the end of the range: the true peak may lie beyond.
  bool clippedHigh = false;  // a sample is 255
  bool clippedLow = false;   // a sample is 0
};

// A rising crossing goes from "low" (a sample <= mid - h) to "high" (>= mid + h),
// mid = (max + min) / 2, h = max(2, (max - min) / 10): noise smaller than h makes
// none. It lies where the line from the last sample below mid to the next one
// reaches mid.
ChannelMeasurements MeasureChannel(const ChannelSamples& samples, const ExactStep& voltsPerCount,
                                   const ExactStep& secondsPerSample);

}  // namespace vexal
