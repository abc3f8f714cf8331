// Writes the pieces of the text export into an open file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vexal {

// One WriteFile call per piece, each checked: false as soon as one fails or
// writes short (disk full, device gone); the remaining pieces are not tried.
bool WriteTextPieces(HANDLE file, const std::vector<std::string>& pieces);

}  // namespace vexal
