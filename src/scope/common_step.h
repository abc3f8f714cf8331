// Two channels' exact steps over one: q1 = k1 g and q2 = k2 g with whole k1 and k2, so that
// their counts add up to whole numbers of g and compare as whole numbers.
#pragma once

#include <array>
#include <cstdint>

#include "scope/sample_scale.h"

namespace vexal {

struct CommonStep {
  ExactStep step;                          // g
  std::array<std::int64_t, 2> multiple{};  // k1, k2, without a common divisor
};

// Over the finer power of ten, g the greatest step both are multiples of; all 0 when both
// steps are 0. For steps of labels up to 999 of any unit (k below 2^52).
CommonStep OverOneStep(const ExactStep& first, const ExactStep& second);

}  // namespace vexal
