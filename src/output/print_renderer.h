// "Drucken...": the whole print command.
#pragma once

#include <windows.h>

namespace vexal {

void PrintRenderer(HWND owner);

}  // namespace vexal
