// What follows the program's name on its command line: the file to show at start.
#pragma once

#include <string_view>

namespace vexal {

// The command line without the program's name (up to the closing quote when it
// begins with one, else up to the first blank, as CommandLineToArgvW takes it)
// and without the blanks and tabs around what is left. A shortcut or a batch
// file may name a file with blanks without quotes: that is then its whole name.
std::wstring_view CommandLineRest(std::wstring_view line);

}  // namespace vexal
