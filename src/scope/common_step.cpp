#include "scope/common_step.h"

#include <algorithm>
#include <numeric>

namespace vexal {

CommonStep OverOneStep(const ExactStep& first, const ExactStep& second) {
  const int decimals = std::max(first.decimals, second.decimals);
  const std::int64_t a = first.units * WholePowerOfTen(decimals - first.decimals);
  const std::int64_t b = second.units * WholePowerOfTen(decimals - second.decimals);
  const std::int64_t g = std::gcd(a, b);
  if (g == 0) return {};
  return {{g, decimals}, {a / g, b / g}};
}

}  // namespace vexal
