// What a read-out worker is handed: the window that owns its message boxes and
// the command byte ('d' or 'r').
#pragma once

#include <windows.h>

namespace vexal {

struct AcquisitionRequest {
  HWND owner = nullptr;
  unsigned char command = 0;
};

// The process-wide request, written by the menu commands on the window thread
// only; each worker receives a copy, so a later command cannot change it.
AcquisitionRequest& TheAcquisitionRequest();

}  // namespace vexal
