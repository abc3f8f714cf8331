#include "scope/measurements.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace vexal {
namespace {

// Worst cases, all far inside 64 bits (2^63 > 9.2e18):
// - q = label x 3125 / 10^(5 - power of the unit) is at most 999 x 3125 < 3.2e6 over
//   10^11: a level (255 counts at most) is below 8.2e8 over 10^11, the mean (sum x q / 2048,
//   |sum| <= 2048 x 128) below 8.4e11 over 2.1e14, an exact RMS (root <= 8192, x q / 64)
//   below 2.6e10 over 6.4e12.
// - dt = us x 5^11 / 10^16 reduces to us / 204800000, with us <= 5e7.
// - A crossing at i + (max + min - 2 s_i) / (2 (s_i+1 - s_i)) has a denominator of 510 at
//   most; the distance of the last from the first over at most 1023 periods is below
//   2048 x 510^2 = 5.4e8 over 510^2 x 1023 = 2.7e8, and the period, times dt, below
//   2.7e16 over 5.5e16. The frequency is its inverse.
constexpr int kLowestSample = 0;
constexpr int kHighestSample = 255;
// Levels in twentieths of a count, where mid and h = max(2, swing / 10) are whole.
constexpr int kTwentieths = 20;
constexpr int kLeastHysteresis = 2 * kTwentieths;
constexpr int kHysteresisShare = 10;     // of the swing
constexpr std::int64_t kRootScale = 64;  // sqrt(squares / 2048) = sqrt(2 x squares) / 64

// In lowest terms, for a denominator above 0.
ExactNumber Reduced(ExactNumber x) {
  std::int64_t a = x.numerator < 0 ? -x.numerator : x.numerator, b = x.denominator;
  while (a != 0) {  // Euclid: b ends as the greatest common divisor
    const std::int64_t rest = b % a;
    b = a;
    a = rest;
  }
  return {x.numerator / b, x.denominator / b};
}

// floor(sqrt(n)) for the sums of squares here (n <= 2^26: at most 8192 steps).
std::int64_t WholeRoot(std::int64_t n) {
  std::int64_t root = 0;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

struct Crossings {
  int count = 0;
  ExactNumber first;  // in samples
  ExactNumber last;
};

Crossings RisingCrossings(const ChannelSamples& s, int lowest, int highest) {
  const int mid = kTwentieths * (highest + lowest) / 2;
  const int h = std::max(kLeastHysteresis, kTwentieths * (highest - lowest) / kHysteresisShare);
  enum { kUnknown, kLow, kHigh } state = kUnknown;
  std::size_t lastBelow = 0;
  Crossings crossings;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const int level = kTwentieths * s[i];
    if (level < mid) lastBelow = i;
    if (level <= mid - h) {
      state = kLow;
    } else if (level >= mid + h) {
      // Low before means a sample below mid before, and every sample after the last
      // of them is at or above mid: the line between the two reaches mid.
      if (state == kLow) {
        const std::int64_t from = s[lastBelow], rise = s[lastBelow + 1] - from;
        const auto at = static_cast<std::int64_t>(lastBelow);
        const ExactNumber crossing{2 * at * rise + highest + lowest - 2 * from, 2 * rise};
        if (crossings.count == 0) crossings.first = crossing;
        crossings.last = crossing;
        ++crossings.count;
      }
      state = kHigh;
    }
  }
  return crossings;
}

}  // namespace

ChannelMeasurements MeasureChannel(const ChannelSamples& samples, const ExactStep& voltsPerCount,
                                   const ExactStep& secondsPerSample) {
  const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  std::int64_t sum = 0, squares = 0;
  for (const int s : samples) {
    sum += s - kCentreSample;
    squares += (s - kCentreSample) * (s - kCentreSample);
  }
  // Levels as they come, not reduced: only the period needs it.
  const std::int64_t units = voltsPerCount.units, one = WholePowerOfTen(voltsPerCount.decimals);
  ChannelMeasurements m;
  m.maximum = {(*high - kCentreSample) * units, one};
  m.minimum = {(*low - kCentreSample) * units, one};
  m.peakToPeak = {(*high - *low) * units, one};
  m.mean = {sum * units, kSamplesPerChannel * one};
  const std::int64_t root = WholeRoot(2 * squares);
  if (root * root == 2 * squares) m.exactRms = ExactNumber{root * units, kRootScale * one};
  m.rms = std::sqrt(static_cast<double>(2 * squares)) / kRootScale *
          (static_cast<double>(units) / static_cast<double>(one));
  m.clippedHigh = *high == kHighestSample;
  m.clippedLow = *low == kLowestSample;
  const Crossings c = RisingCrossings(samples, *low, *high);
  // With h >= 2 a crossing needs a swing of 4 counts at least: no other check is needed.
  if (c.count >= 2) {
    const ExactNumber span{
        c.last.numerator * c.first.denominator - c.first.numerator * c.last.denominator,
        c.last.denominator * c.first.denominator * (c.count - 1)};
    const ExactNumber dt = Reduced(secondsPerSample.Exact());
    m.period = Reduced({span.numerator * dt.numerator, span.denominator * dt.denominator});
    // Crossings lie apart; only a timebase without a row (dt 0) leaves no frequency.
    if (m.period->numerator > 0)
      m.frequency = ExactNumber{m.period->denominator, m.period->numerator};
  }
  return m;
}

}  // namespace vexal
