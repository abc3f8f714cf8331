// The program's texts are Windows-1252 ("\xB5" is the micro sign), whatever
// ANSI code page the system has: a Windows set to UTF-8 ("Beta: Unicode UTF-8")
// would turn every byte above 127 into a replacement character in an A call.
// So they are converted here, from code page 1252 itself, and shown through
// the W calls.
#pragma once

#include <string>
#include <string_view>

namespace vexal {

// Each byte gives one UTF-16 character (code page 1252 is single-byte, all in
// the Basic Multilingual Plane), so positions and lengths stay the same.
std::wstring FromWindows1252(std::string_view text);

// The other way: a character that 1252 lacks becomes "?", never a look-alike (a
// full-width backslash must not turn into a separator).
std::string ToWindows1252(std::wstring_view text);

}  // namespace vexal
