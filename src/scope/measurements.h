// Automatic measurements of one trace's 2048 levels: how large, how fast.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "scope/number_text.h"
#include "scope/sample_scale.h"
#include "scope/waveform_store.h"

namespace vexal {

// Levels are whole numbers of an exact step (a channel's counts c = s - 128 of q), times
// are samples times dt, all exact but an RMS that is irrational.
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

// A trace as whole levels of one exact step: a channel's counts, or the math trace's levels
// over a step both channels' counts are multiples of.
struct TraceLevels {
  std::array<std::int64_t, kSamplesPerChannel> level{};
  ExactStep step;
  // One count of the trace's scale (1/32 division) in levels: the hysteresis is 2 at least.
  std::int64_t levelsPerCount = 1;
  // Where the true maximum or minimum may lie beyond the levels: the caller knows.
  bool clippedHigh = false;
  bool clippedLow = false;
};

// A rising crossing goes from "low" (a level <= mid - h) to "high" (>= mid + h),
// mid = (max + min) / 2, h = max(2 counts, (max - min) / 10): noise smaller than h makes
// none. It lies where the line from the last level below mid to the next one reaches mid.
// Within 64 bits for |level| x step.units up to 2^51 and |level| up to 2^32; an RMS is
// exact for |level| up to 2^25, and a period where its fraction fits in 64 bits (always
// for a channel's counts), else the double RMS alone and no period.
ChannelMeasurements MeasureLevels(const TraceLevels& trace, const ExactStep& secondsPerSample);

// A channel's samples as counts of q, clipped at the codes 0 and 255.
ChannelMeasurements MeasureChannel(const ChannelSamples& samples, const ExactStep& voltsPerCount,
                                   const ExactStep& secondsPerSample);

}  // namespace vexal
