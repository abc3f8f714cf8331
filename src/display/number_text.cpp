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
constexpr int kMostDecimals = 18;  // 10^18 still fits in 64 bits

}  // namespace

double PowerOfTen(int n) {
  double power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

std::string DecimalText(std::int64_t scaled, int decimals, std::string_view separator) {
  // Negated as unsigned: also the most negative value has its magnitude.
  const std::uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  const int fraction = decimals < 0 ? 0 : decimals < kMostDecimals ? decimals : kMostDecimals;
  std::uint64_t one = 1;
  for (int i = 0; i < fraction; ++i) one *= 10;
  char digits[32];
  const int whole = std::snprintf(digits, sizeof digits, "%s%llu", scaled < 0 ? "-" : "",
                                  static_cast<unsigned long long>(magnitude / one));
  std::string text(digits, static_cast<std::size_t>(whole));
  if (fraction > 0) {
    // A 1 before exactly `fraction` digits: the fraction with its leading zeros.
    std::snprintf(digits, sizeof digits, "%llu",
                  static_cast<unsigned long long>(one + magnitude % one));
    text.append(separator).append(digits + 1);
  }
  return text;
}

std::string ExactDecimal(std::int64_t scaled, int decimals, std::string_view separator) {
  while (decimals > 0 && scaled % 10 == 0) {
    scaled /= 10;
    --decimals;
  }
  return DecimalText(scaled, decimals, separator);
}

std::string SiNumber(double value, const char* unit) {
  if (value == 0) return std::string("0 ") + unit;
  double mantissa = std::fabs(value);
  int prefix = kPlainPrefix;
  while (mantissa >= 1000 && prefix < kLastPrefix) {
    mantissa /= 1000;
    ++prefix;
  }
  while (mantissa < 1 && prefix > 0) {
    mantissa *= 1000;
    --prefix;
  }
  // Decimals for three significant digits; more below 1 n, none above 1000 M.
  int decimals = kSignificantDigits - 1;
  for (double bound = 10; decimals > 0 && mantissa >= bound; bound *= 10) --decimals;
  for (double bound = 1; decimals < kMostDecimals && mantissa < bound; bound /= 10) ++decimals;
  long long digits = std::llround(mantissa * PowerOfTen(decimals));  // half away from zero
  if (digits == kCarry && decimals > 0) {
    digits /= 10;
    --decimals;
  } else if (digits == kCarry && prefix < kLastPrefix) {
    digits /= 10;
    decimals = kSignificantDigits - 1;
    ++prefix;
  }
  std::string text = DecimalText(value < 0 ? -digits : digits, decimals, ",");
  return text.append(" ").append(kPrefixes[prefix]).append(unit);
}

}  // namespace vexal
