#include "scope/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

namespace vexal {
namespace {

constexpr int kSignificantDigits = 3;
constexpr long long kCarry = 1000;  // 10^kSignificantDigits: 9.995 rounds to 10.00
// 10^-9 to 10^6; "" is the plain unit.
constexpr const char* kPrefixes[] = {"n", "\xB5", "m", "", "k", "M"};
constexpr int kPlainPrefix = 3;
constexpr int kLastPrefix = 5;
constexpr int kMostDecimals = 18;        // below 1 n; 10^18 still fits in 64 bits
constexpr std::size_t kNumberSize = 48;  // a sign, 19 + 18 digits, a separator
constexpr double kTooLarge = 1e18;       // far beyond any measurement; llround stays defined
constexpr char kNotShown[] = "-";

std::uint64_t Magnitude(std::int64_t value) {
  // Negated as unsigned: also the most negative value has its magnitude.
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// scaled / 10^decimals (0 to 18) into `text` (kNumberSize bytes), every digit kept:
// (-125, 1, ",") gives "-12,5", (5, 3, ",") gives "0,005".
void WriteDecimal(char* text, std::int64_t scaled, int decimals, std::string_view separator) {
  const std::uint64_t magnitude = Magnitude(scaled);
  const auto one = static_cast<std::uint64_t>(WholePowerOfTen(decimals));
  // A 1 before exactly `decimals` digits: the fraction with its leading zeros, and
  // nothing for a whole number.
  char digits[24];
  std::snprintf(digits, sizeof digits, "%llu",
                static_cast<unsigned long long>(one + magnitude % one));
  std::snprintf(text, kNumberSize, "%s%llu%.*s%s", scaled < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude / one),
                decimals > 0 ? static_cast<int>(separator.size()) : 0, separator.data(),
                digits + 1);
}

// "-12,5 ms": `digits` with `decimals` of them after the comma, the prefix, the unit.
void WriteSiText(char (&text)[kSiNumberSize], std::int64_t digits, int decimals, int prefix,
                 const char* unit) {
  char number[kNumberSize];
  WriteDecimal(number, digits, decimals, ",");
  std::snprintf(text, sizeof text, "%s %s%s", number, kPrefixes[prefix], unit);
}

// How a number whose first digit stands for 10^exponent is shown: its prefix, its
// decimals, and how many digits from the first one that makes.
struct Layout {
  int prefix = kPlainPrefix;
  int decimals = 0;
  int digits = 0;
};

Layout LayoutOf(int exponent) {
  Layout layout;
  while (exponent >= 3 && layout.prefix < kLastPrefix) {
    exponent -= 3;
    ++layout.prefix;
  }
  while (exponent < 0 && layout.prefix > 0) {
    exponent += 3;
    --layout.prefix;
  }
  layout.decimals = std::max(0, kSignificantDigits - 1 - exponent);
  layout.digits = exponent + 1 + layout.decimals;
  return layout;
}

// The decimal digits of n / d (n, d > 0) one by one, from 10^Exponent() down: those
// of the whole part (a 0 for a number below 1), then those of the fraction.
class DecimalDigits {
 public:
  DecimalDigits(std::uint64_t n, std::uint64_t d) : divisor_(d), whole_(n / d), rest_(n % d) {
    for (; whole_ / place_ >= 10; place_ *= 10) ++exponent_;
  }
  int Exponent() const { return exponent_; }
  int Next() {
    if (place_ > 0) {
      const auto digit = static_cast<int>(whole_ / place_ % 10);
      place_ /= 10;
      return digit;
    }
    // 10 x rest / d as ten additions: rest < d < 2^63, so no sum overflows.
    int digit = 0;
    std::uint64_t tenfold = 0;
    for (int i = 0; i < 10; ++i) {
      tenfold += rest_;
      if (tenfold >= divisor_) {
        tenfold -= divisor_;
        ++digit;
      }
    }
    rest_ = tenfold;
    return digit;
  }

 private:
  std::uint64_t divisor_;
  std::uint64_t whole_;
  std::uint64_t rest_;
  std::uint64_t place_ = 1;  // of the next digit of the whole part; 0 after it
  int exponent_ = 0;
};

}  // namespace

std::int64_t WholePowerOfTen(int n) {
  std::int64_t power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

double PowerOfTen(int n) {
  double power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

std::string ExactDecimal(std::int64_t scaled, int decimals, std::string_view separator) {
  while (decimals > 0 && scaled % 10 == 0) {
    scaled /= 10;
    --decimals;
  }
  char text[kNumberSize];
  WriteDecimal(text, scaled, decimals, separator);
  return text;
}

void WriteSiNumber(char (&text)[kSiNumberSize], double value, const char* unit) {
  if (!(std::fabs(value) < kTooLarge)) {  // also NaN
    std::snprintf(text, sizeof text, "%s", kNotShown);
    return;
  }
  long long digits = 0;  // zero is "0 V"
  int decimals = 0;
  int prefix = kPlainPrefix;
  if (value != 0) {
    double mantissa = std::fabs(value);
    while (mantissa >= 1000 && prefix < kLastPrefix) {
      mantissa /= 1000;
      ++prefix;
    }
    while (mantissa < 1 && prefix > 0) {
      mantissa *= 1000;
      --prefix;
    }
    // Decimals for three significant digits; more below 1 n, none above 1000 M.
    decimals = kSignificantDigits - 1;
    for (double bound = 10; decimals > 0 && mantissa >= bound; bound *= 10) --decimals;
    for (double bound = 1; decimals < kMostDecimals && mantissa < bound; bound /= 10) ++decimals;
    digits = std::llround(mantissa * PowerOfTen(decimals));  // half away from zero
    if (digits == kCarry && decimals > 0) {
      digits /= 10;
      --decimals;
    } else if (digits == kCarry && prefix < kLastPrefix) {
      digits /= 10;
      decimals = kSignificantDigits - 1;
      ++prefix;
    }
  }
  WriteSiText(text, value < 0 ? -digits : digits, decimals, prefix, unit);
}

std::string SiNumber(double value, const char* unit) {
  char text[kSiNumberSize];
  WriteSiNumber(text, value, unit);
  return text;
}

void WriteSiNumber(char (&text)[kSiNumberSize], const ExactNumber& value, const char* unit) {
  if (value.denominator <= 0) {
    std::snprintf(text, sizeof text, "%s", kNotShown);
    return;
  }
  std::int64_t shown = 0;  // zero is "0 V"
  Layout layout;
  if (value.numerator != 0) {
    DecimalDigits digits(Magnitude(value.numerator), static_cast<std::uint64_t>(value.denominator));
    // The leading zeros of a number below 1 (20 at most), the digits shown, and the next
    // one, which rounds: at least half goes away from zero.
    int exponent = digits.Exponent();
    for (int taken = 0;; ++taken) {
      const int digit = digits.Next();
      if (taken == 0 && digit == 0) {
        --exponent;
        --taken;
      } else if (taken == 0) {
        layout = LayoutOf(exponent);
        shown = digit;
      } else if (taken < layout.digits) {
        shown = shown * 10 + digit;
      } else {
        shown += digit >= 5 ? 1 : 0;
        break;
      }
    }
    if (shown == WholePowerOfTen(layout.digits)) {
      // 9.995 became 10.00: the next power of ten, perhaps with the next prefix.
      layout = LayoutOf(exponent + 1);
      shown = WholePowerOfTen(layout.digits - 1);
    }
  }
  WriteSiText(text, value.numerator < 0 ? -shown : shown, layout.decimals, layout.prefix, unit);
}

std::string SiNumber(const ExactNumber& value, const char* unit) {
  char text[kSiNumberSize];
  WriteSiNumber(text, value, unit);
  return text;
}

}  // namespace vexal
