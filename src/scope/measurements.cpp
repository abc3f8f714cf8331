#include "scope/measurements.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>

namespace vexal {
namespace {

// Worst cases, all far inside 64 bits (2^63 > 9.2e18), for a channel's counts:
// - q = label x 3125 / 10^(5 - power of the unit) is at most 999 x 3125 < 3.2e6 over
//   10^11: a level (255 counts at most) is below 8.2e8 over 10^11, the mean (sum x q / 2048,
//   |sum| <= 2048 x 128) below 8.4e11 over 2.1e14, an exact RMS (root <= 8192, x q / 64)
//   below 2.6e10 over 6.4e12.
// - dt = us x 5^11 / 10^16 reduces to us / 204800000, with us <= 5e7.
// - A crossing at i + (max + min - 2 s_i) / (2 (s_i+1 - s_i)) has a denominator of 510 at
//   most; the distance of the last from the first over at most 1023 periods is below
//   2048 x 510^2 = 5.4e8 over 510^2 x 1023 = 2.7e8, and the period, times dt, below
//   2.7e16 over 5.5e16. The frequency is its inverse.
// Other levels (the math trace's) may make the period's fraction too long: it is checked.
constexpr int kLowestSample = 0;
constexpr int kHighestSample = 255;
// Levels in twentieths, where mid and h = max(2 counts, swing / 10) are whole.
constexpr std::int64_t kTwentieths = 20;
constexpr std::int64_t kLeastHysteresis = 2 * kTwentieths;  // per level of a count
constexpr std::int64_t kHysteresisShare = 10;               // of the swing
constexpr std::int64_t kRootScale = 64;  // sqrt(squares / 2048) = sqrt(2 x squares) / 64
// Up to this level, 2 x the sum of 2048 squares stays below 2^62.
constexpr std::int64_t kLargestSquaredLevel = std::int64_t{1} << 25;
constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();

// In lowest terms, for a denominator above 0.
ExactNumber Reduced(ExactNumber x) {
  const std::int64_t divisor = std::gcd(x.numerator, x.denominator);
  return {x.numerator / divisor, x.denominator / divisor};
}

// x y for x, y >= 0; false where it leaves 64 bits.
bool Multiply(std::int64_t x, std::int64_t y, std::int64_t& product) {
  if (x != 0 && y > kMost / x) return false;
  product = x * y;
  return true;
}

// floor(sqrt(n)) for 0 <= n < 2^62 by halving: the root is below 2^31.
std::int64_t WholeRoot(std::int64_t n) {
  std::int64_t low = 0, high = std::int64_t{1} << 31;
  while (high - low > 1) {
    const std::int64_t middle = low + (high - low) / 2;
    if (middle * middle <= n) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return low;
}

struct Crossings {
  std::int64_t count = 0;
  ExactNumber first;  // in samples
  ExactNumber last;
};

Crossings RisingCrossings(const TraceLevels& trace, std::int64_t lowest, std::int64_t highest) {
  const auto& s = trace.level;
  const std::int64_t mid = kTwentieths * (highest + lowest) / 2;
  const std::int64_t h = std::max(kLeastHysteresis * trace.levelsPerCount,
                                  kTwentieths * (highest - lowest) / kHysteresisShare);
  enum { kUnknown, kLow, kHigh } state = kUnknown;
  std::size_t lastBelow = 0;
  Crossings crossings;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::int64_t level = kTwentieths * s[i];
    if (level < mid) lastBelow = i;
    if (level <= mid - h) {
      state = kLow;
    } else if (level >= mid + h) {
      // Low before means a level below mid before, and every level after the last
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

// (last - first) / (count - 1) x dt in lowest terms, reduced at every step; none where it
// leaves 64 bits all the same.
std::optional<ExactNumber> Period(const Crossings& c, const ExactStep& secondsPerSample) {
  const ExactNumber first = Reduced(c.first), last = Reduced(c.last);
  const std::int64_t common = std::gcd(first.denominator, last.denominator);
  std::int64_t over = 0, ofLast = 0, ofFirst = 0, span = 0;
  if (!Multiply(first.denominator / common, last.denominator, over) ||
      !Multiply(last.numerator, first.denominator / common, ofLast) ||
      !Multiply(first.numerator, last.denominator / common, ofFirst) ||
      !Multiply(over, c.count - 1, span))
    return std::nullopt;
  const ExactNumber perPeriod = Reduced({ofLast - ofFirst, span});
  const ExactNumber dt = Reduced(secondsPerSample.Exact());
  const std::int64_t a = std::gcd(perPeriod.numerator, dt.denominator);
  const std::int64_t b = std::gcd(dt.numerator, perPeriod.denominator);
  ExactNumber period;
  if (!Multiply(perPeriod.numerator / a, dt.numerator / b, period.numerator) ||
      !Multiply(perPeriod.denominator / b, dt.denominator / a, period.denominator))
    return std::nullopt;
  return period;
}

}  // namespace

ChannelMeasurements MeasureLevels(const TraceLevels& trace, const ExactStep& secondsPerSample) {
  const auto [low, high] = std::minmax_element(trace.level.begin(), trace.level.end());
  std::int64_t sum = 0, squares = 0;
  double nearSquares = 0;  // the same where both are exact
  const bool squaresFit = std::max(*high, -*low) <= kLargestSquaredLevel;
  for (const std::int64_t level : trace.level) {
    sum += level;
    if (squaresFit) squares += level * level;
    nearSquares += static_cast<double>(level) * static_cast<double>(level);
  }
  // Levels as they come, not reduced: only the period needs it.
  const std::int64_t units = trace.step.units, one = WholePowerOfTen(trace.step.decimals);
  ChannelMeasurements m;
  m.maximum = {*high * units, one};
  m.minimum = {*low * units, one};
  m.peakToPeak = {(*high - *low) * units, one};
  m.mean = {sum * units, kSamplesPerChannel * one};
  const std::int64_t root = WholeRoot(2 * squares);
  if (squaresFit && root * root == 2 * squares)
    m.exactRms = ExactNumber{root * units, kRootScale * one};
  m.rms = std::sqrt(2 * nearSquares) / kRootScale *
          (static_cast<double>(units) / static_cast<double>(one));
  m.clippedHigh = trace.clippedHigh;
  m.clippedLow = trace.clippedLow;
  const Crossings c = RisingCrossings(trace, *low, *high);
  // With h >= 2 counts a crossing needs a swing of 4 counts at least: no other check is needed.
  if (c.count >= 2) {
    m.period = Period(c, secondsPerSample);
    // Crossings lie apart; only a timebase without a row (dt 0) leaves no frequency.
    if (m.period && m.period->numerator > 0)
      m.frequency = ExactNumber{m.period->denominator, m.period->numerator};
  }
  return m;
}

ChannelMeasurements MeasureChannel(const ChannelSamples& samples, const ExactStep& voltsPerCount,
                                   const ExactStep& secondsPerSample) {
  TraceLevels trace;
  trace.step = voltsPerCount;
  for (int i = 0; i < kSamplesPerChannel; ++i) trace.level[i] = samples[i] - kCentreSample;
  const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  trace.clippedHigh = *high == kHighestSample;
  trace.clippedLow = *low == kLowestSample;
  return MeasureLevels(trace, secondsPerSample);
}

}  // namespace vexal
