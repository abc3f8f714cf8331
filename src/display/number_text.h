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

// scaled / 10^decimals (0 to 18) without the fraction's trailing zeros, and without
// the separator for a whole number: (1250, 4, ".") gives "0.125", (20, 1, ".") "2".
std::string ExactDecimal(std::int64_t scaled, int decimals, std::string_view separator);

// Three significant digits, decimal comma, rounded half away from zero, with the
// prefix n, \xB5, m, none, k or M that brings the number to 1 <= |n| < 1000:
// (0.0125, "s") gives "12,5 ms", (999.5, "Hz") "1,00 kHz", (0, "V") "0 V".
// WriteSiNumber writes it into a buffer, SiNumber returns it.
inline constexpr std::size_t kSiNumberSize = 64;
void WriteSiNumber(char (&text)[kSiNumberSize], double value, const char* unit);
std::string SiNumber(double value, const char* unit);

}  // namespace vexal
