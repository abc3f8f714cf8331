// What a read-out worker is handed: the window that owns its message boxes,
// the command byte ('d' or 'r') and the store the channels go into.
#pragma once

#include <windows.h>

#include "scope/waveform_store.h"

namespace vexal {

struct AcquisitionRequest {
  HWND owner = nullptr;
  unsigned char command = 0;
  WaveformStore* store = nullptr;  // the window's, which lives as long as the process
};

// The process-wide request, written by the menu commands on the window thread
// only; each worker receives a copy, so a later command cannot change it.
AcquisitionRequest& TheAcquisitionRequest();

}  // namespace vexal
