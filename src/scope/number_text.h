// Numbers as the user reads them: rounded, with an SI prefix, in the measurements;
// exact in the copied values. No exponent anywhere. Windows-1252 ("\xB5" is µ).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexal {

// 10^n for n >= 0, exact up to 10^22.
double PowerOfTen(int n);
// 10^n for 0 <= n <= 18.
std::int64_t WholePowerOfTen(int n);

// scaled / 10^decimals (0 to 18) without the fraction's trailing zeros, and without
// the separator for a whole number: (1250, 4, ".") gives "0.125", (20, 1, ".") "2".
std::string ExactDecimal(std::int64_t scaled, int decimals, std::string_view separator);

// numerator / denominator exactly; denominator > 0.
struct ExactNumber {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
};

// Three significant digits, decimal comma, rounded half away from zero, with the
// prefix n, \xB5, m, none, k or M that brings the number to 1 <= |n| < 1000:
// (0.0125, "s") gives "12,5 ms", (999.5, "Hz") "1,00 kHz", (0, "V") "0 V". Beyond the
// prefixes: whole M ("1500 MV"), and three digits of a fraction of 1 n ("0,150 nV").
// A value it cannot show writes "-", as a cell without a measurement: a double that is
// not finite or of 10^18 or more, an ExactNumber whose denominator is not above 0.
// WriteSiNumber writes it into a buffer, SiNumber returns it.
inline constexpr std::size_t kSiNumberSize = 64;
void WriteSiNumber(char (&text)[kSiNumberSize], double value, const char* unit);
std::string SiNumber(double value, const char* unit);
// As the double overload, computed exactly: an exact half rounds away from zero.
void WriteSiNumber(char (&text)[kSiNumberSize], const ExactNumber& value, const char* unit);
std::string SiNumber(const ExactNumber& value, const char* unit);

}  // namespace vexal
