#include "display/number_text.h"

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

// scaled / 10^decimals (0 to 18) into `text` (kNumberSize bytes), every digit kept:
// (-125, 1, ",") gives "-12,5", (5, 3, ",") gives "0,005".
void WriteDecimal(char* text, std::int64_t scaled, int decimals, std::string_view separator) {
  // Negated as unsigned: also the most negative value has its magnitude.
  const std::uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::uint64_t one = 1;
  for (int i = 0; i < decimals; ++i) one *= 10;
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

}  // namespace

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
  char number[kNumberSize];
  WriteDecimal(number, value < 0 ? -digits : digits, decimals, ",");
  std::snprintf(text, sizeof text, "%s %s%s", number, kPrefixes[prefix], unit);
}

std::string SiNumber(double value, const char* unit) {
  char text[kSiNumberSize];
  WriteSiNumber(text, value, unit);
  return text;
}

}  // namespace vexal
