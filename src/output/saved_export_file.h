// Shows a saved text export again: the file named when the program starts
// ("Öffnen mit") or dropped on its window.
#pragma once

#include "output/text_import.h"

namespace vexal {

// Reads the file into `saved`. Returns nullptr, or the text for the error box
// when the path names no file that can be read (a device or a folder is not
// read) or the file is not a text export of the program; `saved` then stays as
// it was. The path is UTF-16, in any script.
const char* ReadSavedExport(const wchar_t* path, SavedExport& saved);

}  // namespace vexal
