#include "scope/sample_scale.h"

#include "scope/timebase_labels.h"

namespace vexal {
namespace {

// 1 / 32 = 3125 / 10^5.
constexpr std::int64_t kPerCountUnits = 3125;
constexpr int kPerCountDecimals = 5;
// 10 / 2048 = 5^11 / 10^10, and microseconds: 10^-6 more. The largest value
// copied, 2047 steps of 50 s / DIV, is 2047 x 50e6 x 48828125 < 2^63.
constexpr std::int64_t kPerSampleUnits = 48'828'125;
constexpr int kPerSampleDecimals = 16;

}  // namespace

ExactStep VoltsPerCount(const ScaleLabel& label) {
  const VoltUnit* unit = FindVoltUnit(label.unitCode);
  if (unit == nullptr) return {};
  return {static_cast<std::int64_t>(label.value) * kPerCountUnits,
          kPerCountDecimals - unit->powerOfTen};
}

ExactStep SecondsPerSample(int timebaseId) {
  const TimebaseRow* row = FindTimebase(timebaseId);
  if (row == nullptr) return {};
  return {row->microsecondsPerDivision * kPerSampleUnits, kPerSampleDecimals};
}

}  // namespace vexal
