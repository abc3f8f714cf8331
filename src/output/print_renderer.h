// "Drucken...": the whole print command.
#pragma once

#include <windows.h>

#include "display/picture.h"

namespace vexal {

// The page shows the picture of the moment the print dialog closed.
void PrintRenderer(HWND owner, PictureSource source);

}  // namespace vexal
