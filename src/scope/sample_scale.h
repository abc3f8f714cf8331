// What one count and one sample step stand for, by the current labels and timebase:
// q = volts per division / 32 (8 divisions span 256 counts), dt = 10 x the time
// per division / 2048. Both are finite decimals, kept exact for the copied values
// and the measurements.
#pragma once

#include <cstdint>

#include "scope/display_settings.h"
#include "scope/number_text.h"

namespace vexal {

// units / 10^decimals.
struct ExactStep {
  std::int64_t units = 0;
  int decimals = 0;
  ExactNumber Exact() const { return {units, WholePowerOfTen(decimals)}; }
};

// 0 for a unit code without a unit.
ExactStep VoltsPerCount(const ScaleLabel& label);
// 0 for an identifier without a row in the timebase table.
ExactStep SecondsPerSample(int timebaseId);

}  // namespace vexal
